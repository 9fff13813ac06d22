// How much text the page handles at once, measured in headless Chromium on
// this project's 2-core build machine: a box's text laid out whole takes
// about 0.3 s a MiB (0.4 s in short lines), 8 ms for 16 KiB.

// A box keeps its text in blocks of at most this many UTF-16 units, each laid
// out only while in view.
export const kBlockUnits = 1 << 14;
// A long text goes into a box this many units a task, some 10 ms.
export const kRenderSliceUnits = 1 << 21;
// Selecting all of a text lays it all out: past this, the page selects it as
// a whole itself.
export const kSelectAllUnits = 1 << 16;
// The window's limit: a paste or drop longer than this asks first, and a box
// holding a paragraph longer than this is not tinted.
export const kAskUnits = 1 << 20;
// An explanation table shows at most this many words of a direction.
export const kRowLimit = 250;
