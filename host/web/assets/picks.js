// Clicks in the drawing view as answers to the session's prompts: a click gives a point (veld
// snaps it), a drag at a selection prompt a window (to the right) or a crossing (to the left),
// a drag from a window's first corner both corners, a right-click RETURN. Draws the rubber
// band, the window box and the snap marker over the view.

const DRAG_PIXELS = 5;
const POINT_KINDS = new Set(['point', 'corner', 'select']);
const SNAP_MARK = 6; // half the marker's size in pixels

export class PickInput {
  constructor(view, session, call) {
    this.view = view;
    this.session = session;
    this.call = call;
    this.prompt = session.prompt;
    this.cursor = null; // client pixels
    this.down = null;
    this.snap = null; // {x, y, mode} in drawing units
    this.snapAsked = 0;
    this.pendingCorner = null; // the release of a drag from a first corner, for the next prompt
    // Nothing shows without a cursor over the view or a snap marker.
    view.setOverlay((ctx) => this.drawOverlay(ctx), () => Boolean(this.cursor || this.snap));
    const el = view.container;
    el.addEventListener('pointerdown', (e) => this.pointerDown(e));
    el.addEventListener('pointermove', (e) => this.pointerMove(e));
    el.addEventListener('pointerup', (e) => this.pointerUp(e));
    el.addEventListener('pointerleave', () => { this.cursor = null; this.snap = null; this.redraw(); });
    el.addEventListener('contextmenu', (e) => { e.preventDefault(); session.sendLine(''); });
  }

  promptChanged(prompt) {
    this.prompt = prompt;
    this.view.leftDragPans = !(prompt.kind === 'corner' || prompt.kind === 'select' || this.startsWindow());
    this.snap = null;
    this.down = null;
    this.answerPendingCorner();
    this.updateSnap();
    this.redraw();
  }

  cancel() { this.down = null; this.pendingCorner = null; this.redraw(); }

  // A plain point prompt whose answer veld has seen open a window: a drag there draws it.
  startsWindow() { return this.prompt.kind === 'point' && !this.prompt.base && Boolean(this.prompt.window); }

  // The drag's release answers the corner prompt that follows its press, and nothing else.
  answerPendingCorner() {
    const corner = this.pendingCorner;
    this.pendingCorner = null;
    if (corner && this.prompt.kind === 'corner') this.session.pick(corner);
  }

  redraw() { this.view.requestRedraw(); }

  pointerDown(event) {
    if (event.button !== 0) return;
    this.down = { x: event.clientX, y: event.clientY };
  }

  pointerMove(event) {
    this.cursor = { x: event.clientX, y: event.clientY };
    this.updateSnap();
    this.redraw();
  }

  async pointerUp(event) {
    if (event.button !== 0 || !this.down) return;
    const down = this.down;
    this.down = null;
    this.redraw();
    if (!POINT_KINDS.has(this.prompt.kind)) return;
    const moved = Math.hypot(event.clientX - down.x, event.clientY - down.y) > DRAG_PIXELS;
    const pixel = this.view.pixelSize();
    const at = this.view.toWorld(event.clientX, event.clientY);
    const from = this.view.toWorld(down.x, down.y);
    if (moved && this.prompt.kind === 'select' && !this.prompt.base) {
      await this.session.pick({ x: from.x, y: from.y, pixel, to: [at.x, at.y] });
    } else if (moved && this.startsWindow()) {
      this.pendingCorner = { x: at.x, y: at.y, pixel };
      await this.session.pick({ x: from.x, y: from.y, pixel }).catch((e) => {
        this.pendingCorner = null; // the first corner was not taken: neither is the second
        throw e;
      });
    } else if (!moved || this.prompt.kind === 'corner') {
      await this.session.pick({ x: at.x, y: at.y, pixel });
    }
  }

  // The marker follows the cursor at point prompts; one question to veld at a time.
  async updateSnap() {
    if (!this.cursor || !(this.prompt.kind === 'point' || this.prompt.kind === 'corner')) {
      this.snap = null;
      return;
    }
    if (this.snapBusy) { this.snapAgain = true; return; }
    this.snapBusy = true;
    try {
      const at = this.view.toWorld(this.cursor.x, this.cursor.y);
      const query = `x=${at.x}&y=${at.y}&pixel=${this.view.pixelSize()}`;
      this.snap = await (await this.call(`api/snap?${query}`)).json();
    } catch {
      this.snap = null;
    } finally {
      this.snapBusy = false;
    }
    this.redraw();
    if (this.snapAgain) { this.snapAgain = false; this.updateSnap(); }
  }

  drawOverlay(ctx) {
    const target = this.snap ? this.view.toClient(this.snap.x, this.snap.y) : this.cursor;
    const local = (p) => {
      const r = this.view.container.getBoundingClientRect();
      return { x: p.x - r.left, y: p.y - r.top };
    };
    const base = this.prompt.base ? local(this.view.toClient(this.prompt.base[0], this.prompt.base[1])) : null;
    if (target && base && this.prompt.kind === 'point') this.drawBand(ctx, base, local(target));
    if (target && base && this.prompt.kind === 'corner') this.drawBox(ctx, base, local(target), false);
    if (this.cursor && base && this.prompt.kind === 'select') this.drawWindow(ctx, base, local(this.cursor));
    if (this.cursor && this.down && this.prompt.kind === 'select' && !base) this.drawWindow(ctx, local(this.down), local(this.cursor));
    if (this.cursor && this.down && this.startsWindow()) this.drawBox(ctx, local(this.down), local(target), false);
    if (this.snap) this.drawMarker(ctx, local(target), this.snap.mode);
  }

  drawBand(ctx, from, to) {
    ctx.strokeStyle = '#ffffff';
    ctx.setLineDash([]);
    ctx.beginPath();
    ctx.moveTo(from.x, from.y);
    ctx.lineTo(to.x, to.y);
    ctx.stroke();
  }

  drawBox(ctx, from, to, dashed) {
    ctx.setLineDash(dashed ? [6, 4] : []);
    ctx.strokeRect(Math.min(from.x, to.x), Math.min(from.y, to.y), Math.abs(to.x - from.x), Math.abs(to.y - from.y));
  }

  // Left to right a window (solid, blue), right to left a crossing (dashed, green).
  drawWindow(ctx, from, to) {
    const window = to.x >= from.x;
    ctx.fillStyle = window ? 'rgba(77,157,224,0.15)' : 'rgba(92,200,120,0.15)';
    ctx.fillRect(Math.min(from.x, to.x), Math.min(from.y, to.y), Math.abs(to.x - from.x), Math.abs(to.y - from.y));
    ctx.strokeStyle = window ? '#4d9de0' : '#5cc878';
    this.drawBox(ctx, from, to, !window);
  }

  drawMarker(ctx, p, mode) {
    const s = SNAP_MARK;
    ctx.strokeStyle = '#f2c641';
    ctx.lineWidth = 2;
    ctx.setLineDash([]);
    ctx.beginPath();
    if (mode === 2) { ctx.moveTo(p.x, p.y - s); ctx.lineTo(p.x + s, p.y + s); ctx.lineTo(p.x - s, p.y + s); ctx.closePath(); }
    else if (mode === 4 || mode === 8) { ctx.arc(p.x, p.y, s, 0, 2 * Math.PI); }
    else if (mode === 16) { ctx.moveTo(p.x, p.y - s); ctx.lineTo(p.x + s, p.y); ctx.lineTo(p.x, p.y + s); ctx.lineTo(p.x - s, p.y); ctx.closePath(); }
    else if (mode === 32) { ctx.moveTo(p.x - s, p.y - s); ctx.lineTo(p.x + s, p.y + s); ctx.moveTo(p.x + s, p.y - s); ctx.lineTo(p.x - s, p.y + s); }
    else if (mode === 512) { ctx.moveTo(p.x - s, p.y - s); ctx.lineTo(p.x + s, p.y - s); ctx.lineTo(p.x - s, p.y + s); ctx.lineTo(p.x + s, p.y + s); ctx.closePath(); }
    else { ctx.rect(p.x - s, p.y - s, 2 * s, 2 * s); }
    ctx.stroke();
  }
}
