/* The one translation unit of the Windows host tests that holds stb_image's PNG reader. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
