// The parent window that a test hands to the headless editor. The test scripts the answers to the
// editor's prompts; the editor, while open, gives the test a way to send it input. Only plain C
// types cross here, because the test and the editor may be different modules, each with its own
// copy of the toolkit.
#pragma once

extern "C"
{

  enum HeadlessEventType
  {
    kHeadlessMouseDown,
    kHeadlessMouseUp,
    kHeadlessMouseDrag,
    kHeadlessDoubleClick,
    kHeadlessMouseOver,
    kHeadlessMouseOut,
    kHeadlessWheel,
    kHeadlessKeyDown,
    kHeadlessKeyUp,
    kHeadlessDrop,
    /** One redraw tick. */
    kHeadlessTick,
    /** The answer to a text entry that was left for later; text null cancels it. */
    kHeadlessTextEntryDone,
    /** The answer to a menu that was left for later: menuChoice, or -1 for dismissed. */
    kHeadlessMenuDone,
    /** Lets delta milliseconds pass on the editor module's own timers, which run only when told to. */
    kHeadlessIdle
  };

  enum HeadlessModifier
  {
    kHeadlessLeft = 1,
    kHeadlessRight = 2,
    kHeadlessShift = 4,
    kHeadlessControl = 8,
    kHeadlessAlt = 16
  };

  struct HeadlessEvent
  {
    int type;
    float x;
    float y;
    float dX;
    float dY;
    float delta;
    int modifiers;
    int virtualKey;
    /** The key's character, a dropped path or typed text. */
    const char* text;
    int menuChoice;
  };

  struct HeadlessMenuRequest
  {
    const char* title;
    int nItems;
    const char* const* items;
    const int* checked;
  };

  /** What a prompt script returns to leave the answer for a later event. */
  enum
  {
    kHeadlessAnswerLater = -2
  };

  struct HeadlessWindow
  {
    // Set by the test before the editor opens; a null function leaves the prompt unanswered.
    void* host;
    /** The chosen item, -1 for dismissed, or kHeadlessAnswerLater. */
    int (*answerMenu)(void* host, const HeadlessMenuRequest* menu);
    /** The typed text, or null to answer later with kHeadlessTextEntryDone. */
    const char* (*answerTextEntry)(void* host, const char* shownText, int paramIdx);
    /** The chosen file's full path, or null for cancel. */
    const char* (*answerFilePrompt)(void* host, const char* extension);
    /** When set, a file prompt with a completion returns at once and is answered later, as a sheet
     * is: the editor then sets pendingFilePrompt, which outlives the editor as a sheet outlives its
     * view, and the test answers it once through answerPendingFilePrompt. */
    int filePromptsAnswerLater;
    void* pendingFilePrompt;
    /** The chosen file's full path, or null for cancel; clears pendingFilePrompt. */
    void (*answerPendingFilePrompt)(struct HeadlessWindow* window, const char* path);
    /** The colour chooser: argb holds the colour shown and takes the one chosen (alpha, red,
     * green, blue). Returns 1 when a colour was chosen, 0 for cancel. */
    int (*answerColor)(void* host, const char* prompt, unsigned char argb[4]);
    /** The text on the system clipboard, or null when it holds none. */
    const char* (*clipboardText)(void* host);
    /** After each tick that drew: the regions drawn, 4 floats each (L, T, R, B, design units). */
    void (*drew)(void* host, const float* ltrb, int nRects);

    // Set by the editor while its window is open, cleared when it closes.
    void* editor;
    /** Delivers one event; 1 when the editor took it (a control was found, a key was handled). */
    int (*send)(void* editor, const HeadlessEvent* event);
    /** The window's pixels, RGBA, top row first, in device pixels, written only when capacity
     * (bytes) holds them; width and height are always set. Returns the bytes needed, 0 when no
     * window is open. */
    int (*readPixels)(void* editor, unsigned char* rgba, int capacity, int* width, int* height);
    /** Writes the window as a PNG file; 1 when written. */
    int (*writePNG)(void* editor, const char* path);
  };

} // extern "C"
