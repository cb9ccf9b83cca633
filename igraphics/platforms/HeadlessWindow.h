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
    kHeadlessMenuDone
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
    /** The text on the system clipboard, or null when it holds none. */
    const char* (*clipboardText)(void* host);

    // Set by the editor while its window is open, cleared when it closes.
    void* editor;
    /** Delivers one event; 1 when the editor took it (a control was found, a key was handled). */
    int (*send)(void* editor, const HeadlessEvent* event);
  };

} // extern "C"
