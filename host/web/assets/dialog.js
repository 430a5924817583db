// Dialogs and message boxes of the browser front end. The host publishes each open dialog as a
// state (every control with its pixel rectangle, label, value and state, laid out from the
// dialog template); this module draws exactly that and sends back what a person does as the
// host's dialog action lines: "set ID TEXT" when an edit is left after typing, "leave ID" when
// it is left untouched, "select ID TEXT", "check ID on|off", "click ID", "ok", "cancel".
// It never computes a value or a position of its own: the next state shows the result.

const CSS_URL = new URL('./dialog.css', import.meta.url);
const IDOK = 1;
const IDCANCEL = 2;

const layers = new WeakMap(); // layer element -> its Layer

// The sheet (and with it the Japanese font list --veld-font-ja) is there from the start, so the
// rest of the page may use the same fonts.
if (typeof document !== 'undefined') ensureStyles(document);

// Handles one event of the host: {type:"dialog"|"messagebox"|"dialog-closed", ...}.
// sendLine(text) posts one input line; it may return a promise (lines are sent in order).
export function showDialogEvent(event, sendLine, layerElement) {
  if (!event || !layerElement) return;
  ensureStyles(layerElement.ownerDocument);
  let layer = layers.get(layerElement);
  if (!layer) {
    layer = new Layer(layerElement);
    layers.set(layerElement, layer);
  }
  layer.sendLine = sendLine;
  if (event.type === 'dialog') layer.showDialog(event);
  else if (event.type === 'messagebox') layer.showMessageBox(event);
  else if (event.type === 'dialog-closed') layer.closed(event.what || 'dialog');
}

function ensureStyles(doc) {
  if (doc.querySelector('link[data-veld-dialog-css]')) return;
  const link = doc.createElement('link');
  link.rel = 'stylesheet';
  link.href = CSS_URL.href;
  link.dataset.veldDialogCss = '';
  doc.head.appendChild(link);
}

function element(doc, tag, className, attributes = {}) {
  const el = doc.createElement(tag);
  if (className) el.className = className;
  for (const [name, value] of Object.entries(attributes)) el.setAttribute(name, value);
  return el;
}

function place(el, rect) {
  el.style.left = `${rect.x}px`;
  el.style.top = `${rect.y}px`;
  el.style.width = `${rect.width}px`;
  el.style.height = `${rect.height}px`;
}

// What the layer shows: at most one dialog, and a message box over it.
class Layer {
  constructor(root) {
    this.root = root;
    this.doc = root.ownerDocument;
    this.dialog = null; // DialogView
    this.box = null; // element of the message box
    this.queue = Promise.resolve();
    this.sendLine = () => {};
  }

  send(line) {
    const sendLine = this.sendLine;
    this.queue = this.queue.then(() => sendLine(line)).catch(() => {});
    return this.queue;
  }

  showDialog(state) {
    this.removeBox();
    if (this.dialog && this.dialog.fits(state)) {
      this.dialog.update(state);
      if (!this.dialog.frame.contains(this.doc.activeElement)) this.dialog.focusInitial(state);
      return;
    }
    this.removeDialog();
    const before = this.doc.activeElement;
    this.dialog = new DialogView(this, state);
    this.dialog.returnFocus = before;
    this.root.appendChild(this.dialog.backdrop);
    this.dialog.focusInitial(state);
  }

  showMessageBox(box) {
    this.removeBox();
    this.boxReturnFocus = this.dialog ? null : this.doc.activeElement;
    if (this.dialog) this.dialog.setInert(true);
    this.box = buildMessageBox(this, box);
    this.root.appendChild(this.box);
    const preferred = this.box.querySelector('button[data-default]') || this.box.querySelector('button');
    if (preferred) preferred.focus();
  }

  closed(what) {
    this.removeBox();
    if (what !== 'messagebox') this.removeDialog();
  }

  removeBox() {
    if (this.box) {
      this.box.dataset.closed = '';
      this.box.remove();
      this.box = null;
      if (!this.dialog) returnFocus(this.doc, this.boxReturnFocus);
    }
    if (this.dialog) this.dialog.setInert(false);
  }

  removeDialog() {
    if (this.dialog) {
      this.dialog.dispose();
      this.dialog = null;
    }
  }
}

// One open dialog: the frame, the caption and a positioned element per control.
class DialogView {
  constructor(layer, state) {
    this.layer = layer;
    this.id = state.id;
    this.count = state.controls.length;
    this.closing = false; // after OK/Cancel: no more lines until the host answers
    const doc = layer.doc;
    this.backdrop = element(doc, 'div', 'veld-dialog-backdrop');
    const captionId = `veld-dialog-caption-${state.id}`;
    this.frame = element(doc, 'div', 'veld-dialog', {
      role: 'dialog',
      'aria-modal': 'true',
      'aria-labelledby': captionId,
      'data-dialog-id': String(state.id),
    });
    this.caption = element(doc, 'div', 'veld-dialog-caption', { id: captionId });
    this.client = element(doc, 'div', 'veld-dialog-client');
    this.client.style.setProperty('--veld-dialog-font-px', `${state.font.pixels}px`);
    place(this.client, state.client);
    this.client.style.left = '';
    this.client.style.top = '';
    this.frame.append(this.caption, this.client);
    this.backdrop.appendChild(this.frame);
    this.controls = state.controls.map((c) => this.build(c));
    for (const view of this.controls) this.client.appendChild(view.el);
    // A modal dialog: clicks beside it do nothing, the focus stays in it.
    this.backdrop.addEventListener('mousedown', (e) => {
      if (e.target === this.backdrop) e.preventDefault();
    });
    this.frame.addEventListener('keydown', (e) => this.onKey(e));
    // Typing in a dialog is for the dialog, never for the page's command line behind it.
    this.frame.addEventListener('keydown', (e) => e.stopPropagation());
    this.update(state);
  }

  fits(state) {
    return state.id === this.id && state.controls.length === this.count;
  }

  send(line) {
    if (this.closing || this.inert) return;
    if (line === 'ok' || line === 'cancel') this.closing = true;
    this.layer.send(line);
  }

  setInert(inert) {
    this.inert = inert;
    this.frame.inert = inert;
  }

  dispose() {
    this.closing = true;
    this.backdrop.remove();
    returnFocus(this.layer.doc, this.returnFocus);
  }

  update(state) {
    this.closing = false;
    this.caption.textContent = state.caption;
    state.controls.forEach((c, i) => this.controls[i].update(c));
  }

  focusInitial(state) {
    const view = this.controls.find((v) => v.state.id === state.focus && v.focusable());
    const first = view || this.tabStops()[0];
    if (first) first.focusable().focus();
  }

  tabStops() {
    return this.controls.filter((v) => v.state.tabStop && v.state.enabled && v.focusable());
  }

  build(c) {
    const builders = {
      text: buildText, group: buildGroup, picture: buildPicture, edit: buildEdit,
      combo: buildCombo, check: buildCheck, radio: buildCheck, button: buildButton,
    };
    const view = (builders[c.kind] || buildText)(this, c);
    view.el.classList.add('veld-control', `veld-${c.kind}`);
    view.el.dataset.kind = c.kind;
    if (c.id >= 0 && c.kind !== 'text' && c.kind !== 'group') view.el.dataset.id = String(c.id);
    place(view.el, c.rect);
    return view;
  }

  // Tab and Shift+Tab go round the template's tab stops; Enter presses the default button
  // (after the edit being typed into has been left, so its value goes first); Esc cancels.
  onKey(e) {
    if (this.inert) return;
    if (e.key === 'Tab') {
      const stops = this.tabStops();
      if (stops.length === 0) return;
      e.preventDefault();
      const at = stops.findIndex((v) => v.contains(this.layer.doc.activeElement));
      const next = at < 0 ? 0 : (at + (e.shiftKey ? stops.length - 1 : 1)) % stops.length;
      stops[next].focusable().focus();
    } else if (e.key === 'Escape') {
      // The dialog's own Cancel: the page's ESC handling (POST /api/escape) must not see it too.
      e.preventDefault();
      e.stopPropagation();
      this.send('cancel');
    } else if (e.key === 'Enter' && !(e.target instanceof HTMLButtonElement)) {
      e.preventDefault();
      e.stopPropagation();
      const edit = this.controls.find((v) => v.contains(e.target) && v.flush);
      if (edit) edit.flush();
      const button = this.controls.find((v) => v.state.kind === 'button' && v.state.default);
      if (button && button.state.enabled) this.send(buttonLine(button.state.id));
    }
  }
}

// After a dialog or box: back to the page's command line (#command) when it has one, where
// the command goes on; else to a text field the person was in. Never to a toolbar button,
// where the next Enter would start a command again.
function returnFocus(doc, before) {
  const commandLine = doc.getElementById('command');
  if (commandLine) commandLine.focus();
  else if (before && before.isConnected && before.matches('input, textarea')) before.focus();
}

function buttonLine(id) {
  return id === IDOK ? 'ok' : id === IDCANCEL ? 'cancel' : `click ${id}`;
}

function view(el, update, extra = {}) {
  return {
    el,
    state: null,
    focusable: () => null,
    contains: (node) => el === node || el.contains(node),
    ...extra,
    update(c) {
      this.state = c;
      update(c);
    },
  };
}

function buildText(dialog, c) {
  const el = element(dialog.layer.doc, 'div', '');
  return view(el, (s) => {
    el.textContent = s.text;
    el.style.textAlign = s.align;
    el.classList.toggle('veld-disabled', !s.enabled);
  });
}

function buildGroup(dialog, c) {
  const doc = dialog.layer.doc;
  const el = element(doc, 'div', '', { role: 'group' });
  const frame = element(doc, 'div', 'veld-group-frame');
  const title = element(doc, 'span', 'veld-group-title');
  el.append(frame, title);
  return view(el, (s) => {
    title.textContent = s.text;
    title.hidden = s.text === '';
    el.setAttribute('aria-label', s.text);
  });
}

function buildPicture(dialog, c) {
  const doc = dialog.layer.doc;
  const el = element(doc, 'div', '', { 'data-picture': String(c.picture ?? '') });
  const img = element(doc, 'img', '', { role: 'img', alt: `picture ${c.picture ?? ''}` });
  el.appendChild(img);
  let shown = null;
  return view(el, (s) => {
    el.classList.toggle('veld-sunken', !!s.sunken);
    if (s.svg && s.svg !== shown) {
      img.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(s.svg)}`;
      shown = s.svg;
    }
  });
}

// An edit: what the host last showed is kept; leaving it sends the typed text, or "leave" when
// nothing was typed (its handler runs either way, as when a real field loses the focus).
function buildEdit(dialog, c) {
  const el = element(dialog.layer.doc, 'input', '', { type: 'text', autocomplete: 'off' });
  el.spellcheck = false;
  let shown = '';
  let typed = false;
  el.addEventListener('input', () => { typed = true; });
  el.addEventListener('focus', () => { typed = false; });
  const leave = () => {
    const s = result.state;
    if (dialog.closing || dialog.inert || !s.enabled) return;
    if (typed && el.value !== shown && !s.readOnly) dialog.send(`set ${s.id} ${el.value}`);
    else dialog.send(`leave ${s.id}`);
    typed = false;
  };
  el.addEventListener('blur', leave);
  const result = view(el, (s) => {
    // The field being typed into keeps the person's text until it is left.
    if (!(typed && dialog.layer.doc.activeElement === el)) el.value = s.text;
    shown = s.text;
    el.readOnly = !!s.readOnly;
    el.disabled = !s.enabled;
    el.style.textAlign = s.align;
    el.type = s.password ? 'password' : 'text';
    el.tabIndex = s.tabStop ? 0 : -1;
    el.setAttribute('aria-label', s.label || s.key || String(s.id));
  }, {
    focusable: () => el,
    // Enter: the typed text goes to the host first, as leaving the field would send it.
    flush: () => {
      const s = result.state;
      if (typed && el.value !== shown && !s.readOnly) dialog.send(`set ${s.id} ${el.value}`);
      typed = false;
    },
  });
  return result;
}

function buildCombo(dialog, c) {
  const doc = dialog.layer.doc;
  const el = element(doc, 'select', '');
  let items = null;
  el.addEventListener('change', () => {
    const s = result.state;
    const text = s.items[el.selectedIndex];
    if (text !== undefined) dialog.send(`select ${s.id} ${text}`);
  });
  const result = view(el, (s) => {
    if (JSON.stringify(s.items) !== items) {
      el.replaceChildren(...s.items.map((t) => { const o = doc.createElement('option'); o.textContent = t; return o; }));
      items = JSON.stringify(s.items);
    }
    el.selectedIndex = s.selected;
    el.disabled = !s.enabled;
    el.tabIndex = s.tabStop ? 0 : -1;
    el.setAttribute('aria-label', s.label || s.key || String(s.id));
  }, { focusable: () => el });
  return result;
}

function buildCheck(dialog, c) {
  const doc = dialog.layer.doc;
  const el = element(doc, 'label', '');
  const box = element(doc, 'input', '', { type: c.kind === 'radio' ? 'radio' : 'checkbox' });
  const text = element(doc, 'span', 'veld-check-text');
  el.append(box, text);
  box.addEventListener('change', () => {
    const s = result.state;
    dialog.send(`check ${s.id} ${box.checked ? 'on' : 'off'}`);
  });
  const result = view(el, (s) => {
    text.textContent = s.text;
    box.checked = s.check === 'on';
    box.indeterminate = s.check === 'indeterminate';
    box.disabled = !s.enabled;
    box.tabIndex = s.tabStop ? 0 : -1;
    box.setAttribute('aria-label', s.label || s.text);
    el.classList.toggle('veld-disabled', !s.enabled);
  }, { focusable: () => box });
  return result;
}

function buildButton(dialog, c) {
  const el = element(dialog.layer.doc, 'button', '', { type: 'button' });
  el.addEventListener('click', () => dialog.send(buttonLine(result.state.id)));
  const result = view(el, (s) => {
    el.textContent = s.text;
    el.disabled = !s.enabled;
    el.tabIndex = s.tabStop ? 0 : -1;
    el.classList.toggle('veld-default', !!s.default);
    el.setAttribute('aria-label', s.label || s.text);
  }, { focusable: () => el });
  return result;
}

// A message box: caption, icon, text and its buttons; each button sends its word. Esc is the
// box's Cancel (an OK-only box's OK).
function buildMessageBox(layer, box) {
  const doc = layer.doc;
  const backdrop = element(doc, 'div', 'veld-dialog-backdrop veld-messagebox-backdrop');
  const frame = element(doc, 'div', 'veld-dialog veld-messagebox', {
    role: 'alertdialog',
    'aria-modal': 'true',
    'aria-labelledby': 'veld-messagebox-caption',
    'aria-describedby': 'veld-messagebox-text',
  });
  const caption = element(doc, 'div', 'veld-dialog-caption', { id: 'veld-messagebox-caption' });
  caption.textContent = box.caption;
  const body = element(doc, 'div', 'veld-messagebox-body');
  const icon = element(doc, 'span', `veld-icon veld-icon-${box.icon}`, { 'aria-hidden': 'true' });
  const text = element(doc, 'div', 'veld-messagebox-text', { id: 'veld-messagebox-text' });
  text.textContent = box.text;
  body.append(icon, text);
  const buttons = element(doc, 'div', 'veld-messagebox-buttons');
  let answered = false;
  const answer = (word) => {
    if (answered || backdrop.dataset.closed !== undefined) return;
    answered = true;
    layer.send(word);
  };
  for (const b of box.buttons) {
    const button = element(doc, 'button', '', { type: 'button', 'data-button': b.word });
    button.textContent = b.label;
    if (b.word === box.default) button.dataset.default = '';
    button.addEventListener('click', () => answer(b.word));
    buttons.appendChild(button);
  }
  frame.append(caption, body, buttons);
  frame.addEventListener('keydown', (e) => {
    if (e.key === 'Escape') {
      e.preventDefault();
      e.stopPropagation();
      const words = box.buttons.map((b) => b.word);
      if (words.includes('cancel')) answer('cancel');
      else if (words.length === 1) answer(words[0]);
    }
  });
  backdrop.appendChild(frame);
  return backdrop;
}
