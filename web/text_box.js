// A text box of the page: plain text of any length, edited in place.
//
// A browser lays a box's text out whole, about a second a MiB, whenever any
// of it is shown, selected or edited. So the text is kept in blocks of at
// most kBlockUnits units, each laid out only while it is in view
// (content-visibility: auto in page.css), put in the box kRenderSliceUnits a
// task, and what would make the browser lay out a long text at once is done
// here instead: inserting a long text, and selecting all of a long one, which
// then stands selected as a whole until the next key or click. A paste or
// drop of more than kAskUnits asks first, as the window does.
//
// The box's text is its blocks' text in order, a <br> counting as a line
// break, less the line break that ends it: a browser does not show a line
// break at the very end of a box, and edits there leave one more. The box
// answers to value as a <textarea> does.

import { kAskUnits, kBlockUnits, kRenderSliceUnits, kSelectAllUnits } from './limits.js';

// Where a block ends that starts at start: after the last line break or space
// of its second half, else where a code point and a CR LF stay whole.
function blockEnd(text, start) {
  const end = start + kBlockUnits;
  if (end >= text.length) return text.length;
  const half = start + kBlockUnits / 2;
  const secondHalf = text.slice(half, end);
  for (const separator of ['\n', ' ']) {
    const at = secondHalf.lastIndexOf(separator);
    if (at >= 0) return half + at + 1;
  }
  const unit = text.charCodeAt(end - 1);
  const splitsPair = unit >= 0xd800 && unit < 0xdc00;
  const splitsLineBreak = unit === 0x0d && text.charCodeAt(end) === 0x0a;
  return splitsPair || splitsLineBreak ? end + 1 : end;
}

// Until laid out, a block takes about the height of its text in a box: some
// 55 units a line of 16 pixels.
function estimatedHeight(text) {
  let lines = 1 + Math.floor(text.length / 55);
  for (let at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) ++lines;
  return lines * 16;
}

// A block: a <div> holding one text node.
function blockOf(text) {
  const block = document.createElement('div');
  block.textContent = text;
  block.style.containIntrinsicBlockSize = `auto ${estimatedHeight(text)}px`;
  return block;
}

const isLineBreak = (node) => node.nodeName === 'BR';

// Whether the page may read the clipboard itself, as it then does for a paste:
// the browser reads it for a paste event while the page waits, 0.3 s for 16
// MiB, but apart from the page when asked.
let clipboardReadable = false;
if (navigator.permissions) {
  navigator.permissions.query({ name: 'clipboard-read' }).then((status) => {
    const update = () => { clipboardReadable = status.state === 'granted'; };
    update();
    status.addEventListener('change', update);
  }, () => {});
}

// The DOM place under a point of the viewport, or null.
export function caretAt(x, y) {
  if (document.caretPositionFromPoint) {
    const position = document.caretPositionFromPoint(x, y);
    return position && { node: position.offsetNode, offset: position.offset };
  }
  const range = document.caretRangeFromPoint(x, y);
  return range && { node: range.startContainer, offset: range.startOffset };
}

export class TextBox {
  // element: the box; onEdit: called after every change of its text;
  // askToInsert(units): resolves to whether a paste or drop of so many units
  // goes ahead.
  constructor(element, { onEdit, askToInsert }) {
    this.element = element;
    this.onEdit = onEdit;
    this.askToInsert = askToInsert;
    this.allSelected = false;
    this.places = null;  // the box's nodes and where each starts, once asked for
    this.known = null;  // the box's text, once read or set
    this.rest = '';  // what the box is yet to show
    this.renders = 0;  // the renders begun, the last of which goes on
    this.caretWhenShown = null;
    this.observer = new MutationObserver(() => this.changed());
    this.observer.observe(element, { childList: true, subtree: true, characterData: true });
    this.render(element.textContent);
    Object.defineProperty(element, 'value', {
      get: () => this.text,
      set: (text) => this.replaceAll(String(text)),
    });
    element.addEventListener('keydown', (event) => this.keyDown(event));
    element.addEventListener('beforeinput', (event) => this.beforeInput(event));
    element.addEventListener('paste', (event) => this.paste(event));
    element.addEventListener('drop', (event) => this.insertGiven(event, event.dataTransfer, this.dropPlace(event)));
    element.addEventListener('copy', (event) => this.copyAll(event, false));
    element.addEventListener('cut', (event) => this.copyAll(event, true));
    element.addEventListener('mousedown', () => this.selectAll(false));
    element.addEventListener('blur', () => this.selectAll(false));
  }

  get text() {
    if (this.known === null) {
      const shown = this.placed().nodes.map((node) => (isLineBreak(node) ? '\n' : node.data));
      const content = shown.join('') + this.rest;
      this.known = content.endsWith('\n') ? content.slice(0, -1) : content;
    }
    return this.known;
  }

  // The text's length, without reading it (a line break that ends it counted).
  get length() {
    const { nodes, starts } = this.placed();
    const last = nodes.at(-1);
    const shown = last ? starts.at(-1) + (isLineBreak(last) ? 1 : last.length) : 0;
    return shown + this.rest.length;
  }

  // The box's text nodes and <br>s in order, and the offset where each starts.
  placed() {
    if (this.places) return this.places;
    const nodes = [];
    const starts = [];
    const walker = document.createTreeWalker(this.element, NodeFilter.SHOW_TEXT | NodeFilter.SHOW_ELEMENT);
    let at = 0;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (node.nodeType !== Node.TEXT_NODE && !isLineBreak(node)) continue;
      nodes.push(node);
      starts.push(at);
      at += isLineBreak(node) ? 1 : node.length;
    }
    this.places = { nodes, starts };
    return this.places;
  }

  // The DOM place of unit offset of the text: a node and an offset in it.
  domPlace(offset) {
    const { nodes, starts } = this.placed();
    if (nodes.length === 0) return { node: this.element, offset: 0 };
    let low = 0;
    let high = nodes.length - 1;
    while (low < high) {
      const middle = (low + high + 1) >> 1;
      if (starts[middle] <= offset) low = middle; else high = middle - 1;
    }
    const node = nodes[low];
    if (!isLineBreak(node)) return { node, offset: Math.min(offset - starts[low], node.length) };
    const index = [...node.parentNode.childNodes].indexOf(node);
    return { node: node.parentNode, offset: index + Math.min(offset - starts[low], 1) };
  }

  // The unit offset of the text at a DOM place, or null outside the box.
  offsetOf(node, offset) {
    if (!this.element.contains(node)) return null;
    const { nodes, starts } = this.placed();
    const index = nodes.indexOf(node);
    if (index >= 0) return starts[index] + (isLineBreak(node) ? 0 : offset);
    // A place between nodes: where the first node at or after it starts.
    const place = new Range();
    place.setStart(node, offset);
    let low = 0;
    let high = nodes.length;
    while (low < high) {
      const middle = (low + high) >> 1;
      if (place.comparePoint(nodes[middle], 0) < 0) low = middle + 1; else high = middle;
    }
    return low < nodes.length ? starts[low] : this.length;
  }

  range(start, end) {
    const range = new Range();
    const from = this.domPlace(start);
    const to = this.domPlace(end);
    range.setStart(from.node, from.offset);
    range.setEnd(to.node, to.offset);
    return range;
  }

  // Shows text as the box's blocks, and then the caret at offset caret
  // (null: where the browser leaves it); a line break that ends it gets the
  // one more that shows it. A long text begins a task later, apart from
  // whatever task put it here.
  render(text, caret = null) {
    this.element.replaceChildren();
    this.observer.takeRecords();
    this.places = null;
    this.known = text;
    this.rest = text.endsWith('\n') ? `${text}\n` : text;
    this.caretWhenShown = caret;
    const render = ++this.renders;
    if (this.rest.length <= kRenderSliceUnits) {
      this.showMore(render);
    } else {
      setTimeout(() => this.showMore(render));
    }
  }

  // Shows the next kRenderSliceUnits of what is yet to show, and the rest a
  // task later, unless a later render took over.
  showMore(render) {
    if (render !== this.renders) return;
    const blocks = [];
    let shown = 0;
    while (shown < this.rest.length && shown < kRenderSliceUnits) {
      const end = blockEnd(this.rest, shown);
      blocks.push(blockOf(this.rest.slice(shown, end)));
      shown = end;
    }
    this.rest = this.rest.slice(shown);
    this.element.append(...blocks);
    this.observer.takeRecords();
    this.places = null;
    if (this.rest !== '') {
      setTimeout(() => this.showMore(render));
    } else if (this.caretWhenShown !== null) {
      const caret = this.domPlace(this.caretWhenShown);
      getSelection().collapse(caret.node, caret.offset);
    }
  }

  // Replaces the units from start to end with text and puts the caret after
  // it.
  replace(start, end, text) {
    const old = this.text;
    this.replaceAll(old.slice(0, start) + text + old.slice(end), start + text.length);
  }

  replaceAll(text, caret = null) {
    this.selectAll(false);
    this.render(text, caret);
    this.onEdit();
  }

  // The browser's own edits, and a script's: a node grown past a few blocks
  // (a script set the box's text, or many pastes went into one place) is
  // split into blocks before the browser lays it out. Where the caret stood
  // is not asked for: that would lay it out.
  changed() {
    this.places = null;
    this.known = null;
    const grown = this.placed().nodes.some((node) => !isLineBreak(node) && node.length > 4 * kBlockUnits);
    if (grown) this.render(this.text);
    this.onEdit();
  }

  // The selection's start and end in units, all of the text when it stands
  // selected as a whole.
  selection() {
    if (this.allSelected) return [0, this.length];
    const range = getSelection().rangeCount > 0 ? getSelection().getRangeAt(0) : null;
    if (!range || !this.element.contains(range.commonAncestorContainer)) return null;
    const start = this.offsetOf(range.startContainer, range.startOffset);
    const end = this.offsetOf(range.endContainer, range.endOffset);
    return start === null || end === null ? null : [start, end];
  }

  selectAll(selected) {
    if (this.allSelected === selected) return;
    this.allSelected = selected;
    this.element.classList.toggle('all-selected', selected);
  }

  keyDown(event) {
    const command = event.ctrlKey || event.metaKey;
    if (command && event.key.toLowerCase() === 'a') {
      if (this.length <= kSelectAllUnits) return;
      event.preventDefault();
      this.selectAll(true);
      return;
    }
    if (!this.allSelected || ['Control', 'Meta', 'Shift', 'Alt'].includes(event.key)) return;
    // Copy and cut come as their own events.
    if (command && ['c', 'x', 'v', 'insert'].includes(event.key.toLowerCase())) return;
    const typed = !command && !event.altKey && (event.key.length === 1 || event.key === 'Enter');
    if (['Delete', 'Backspace'].includes(event.key)) {
      event.preventDefault();
      this.replaceAll('', 0);
    } else if (typed) {
      // Emptied here; the browser then types the key into the empty box.
      this.replaceAll('', 0);
    } else {
      this.selectAll(false);
    }
  }

  copyAll(event, cut) {
    if (!this.allSelected) return;
    event.preventDefault();
    event.clipboardData.setData('text/plain', this.text);
    if (cut) this.replaceAll('', 0);
  }

  // Typing, or a script that types, a text longer than a block.
  beforeInput(event) {
    const text = event.data;
    if (typeof text !== 'string' || text.length <= kBlockUnits) return;
    event.preventDefault();
    const [start, end] = this.selection() || [this.length, this.length];
    this.replace(start, end, text);
  }

  // Where a drop lands, as a selection.
  dropPlace(event) {
    const caret = caretAt(event.clientX, event.clientY);
    const offset = caret && this.offsetOf(caret.node, caret.offset);
    return offset === null ? null : [offset, offset];
  }

  paste(event) {
    const where = this.selection();
    if (!event.isTrusted || !clipboardReadable) {
      this.insertGiven(event, event.clipboardData, where);
      return;
    }
    event.preventDefault();
    navigator.clipboard.readText().then((text) => this.insert(text, where));
  }

  // A paste or drop into the units from start to end of where: a short one
  // the browser inserts itself.
  insertGiven(event, data, where) {
    const text = data ? data.getData('text/plain') : '';
    if (text.length <= kBlockUnits && !this.allSelected) return;
    event.preventDefault();
    this.insert(text, where);
  }

  // Inserts a pasted or dropped text in place of the units from start to end
  // of where (none: at the end): a long one asks first, and goes in without
  // the browser laying it out at once.
  async insert(text, where) {
    const [start, end] = where || [this.length, this.length];
    if (text.length > kAskUnits) {
      // Apart from the task that read the text, itself long.
      await new Promise((resolve) => { setTimeout(resolve); });
      if (!(await this.askToInsert(text.length))) return;
    }
    this.replace(start, end, text);
  }
}
