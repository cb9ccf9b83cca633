#pragma once

// What tests use to script the installed fonts that CoreText matches descriptors against, and to
// count the live Core Graphics and CoreText objects (data providers, graphics fonts, CoreText
// fonts and descriptors), so that a test can see every one of them freed again.
#ifdef __cplusplus
extern "C"
{
#endif
  /** Installs a face of a family: matching reports it, in the order installed, with a file URL of
 * the path (which need not exist). */
  void StandInInstallSystemFont(const char* family, const char* style, const char* path);
  /** Forgets every installed face. */
  void StandInClearSystemFonts(void);
  /** Data providers, graphics fonts, CoreText fonts and descriptors that are alive. */
  long StandInLiveFontObjects(void);
#ifdef __cplusplus
}
#endif
