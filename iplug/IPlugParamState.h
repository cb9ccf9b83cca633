#pragma once

#include "iplug/IPlugByteChunk.h"
#include "iplug/IPlugEditorDelegate.h"

namespace iplug
{

// The parameter chunk: every parameter's value as a 64-bit float, in index order, nothing else.

/** Appends every value; true when the last append succeeded (true with no parameters). */
bool SerializeParamValues(const IEditorDelegate& dlg, IByteChunk& chunk);

/** Reads values into the parameters in index order and returns the position after the last, or -1
 *  when the chunk ends first (the parameters read so far keep their new values). A negative start
 *  or no parameters reads nothing and returns startPos. Nobody is notified. */
int UnserializeParamValues(IEditorDelegate& dlg, const IByteChunk& chunk, int startPos);

/** Stores a value read from outside: rounded to the step, clamped. A value that is not a finite
 *  number leaves the parameter as it was. */
void SetParamFromStored(IParam& param, double value);

/** Stores a normalised value read from outside: mapped, rounded, clamped; non-finite ignored. */
void SetParamFromStoredNormalized(IParam& param, double normalized);

} // namespace iplug
