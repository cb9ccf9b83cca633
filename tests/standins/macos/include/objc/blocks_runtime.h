// GNUstep's headers look for the blocks runtime under the name libobjc2 gives it; on Debian the
// GCC runtime has none, and the blocks runtime is libBlocksRuntime's.
#include <Block.h>
