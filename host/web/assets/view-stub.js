// A stand-in for the drawing view while the real one is built elsewhere: draws the server's
// stand-in display list (outlines as segments) on a 2D canvas, with wheel zoom and drag pan.
// It has the same interface as the real view, so the page works with either.

const THEMES = {
  dark: { background: '#1f232a', ink: '#ffffff' },
  light: { background: '#ffffff', ink: '#000000' },
};

export class DrawingView extends EventTarget {
  constructor(container, { theme = 'dark' } = {}) {
    super();
    this.container = container;
    this.canvas = document.createElement('canvas');
    this.canvas.className = 'drawing-canvas';
    container.appendChild(this.canvas);
    this.ctx = this.canvas.getContext('2d');
    this.theme = THEMES[theme] || THEMES.dark;
    this.entities = [];
    this.scale = 1; // CSS pixels per drawing unit
    this.originX = 0; // drawing point at the canvas's left edge
    this.originY = 0; // drawing point at the canvas's bottom edge
    this.overlay = null;
    this.leftDragPans = true;
    this.framed = false;
    this.readyPromise = new Promise((resolve) => { this.resolveReady = resolve; });
    new ResizeObserver(() => this.resize()).observe(container);
    this.listen();
    this.resize();
  }

  get ready() { return this.readyPromise; }

  async load(buffer) {
    this.entities = JSON.parse(new TextDecoder().decode(buffer)).entities || [];
    if (!this.framed) this.zoomExtents();
    this.framed = true;
    this.requestRedraw();
    this.resolveReady();
  }

  async apply(buffer) { return this.load(buffer); }

  setTheme(name) { this.theme = THEMES[name] || THEMES.dark; this.requestRedraw(); }

  setOverlay(drawFn) { this.overlay = drawFn; this.requestRedraw(); }

  bounds() {
    let minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
    for (const e of this.entities) {
      const coords = e.segments.concat(e.points);
      for (let i = 0; i + 1 < coords.length; i += 2) {
        minX = Math.min(minX, coords[i]); maxX = Math.max(maxX, coords[i]);
        minY = Math.min(minY, coords[i + 1]); maxY = Math.max(maxY, coords[i + 1]);
      }
    }
    return minX <= maxX ? { minX, minY, maxX, maxY } : { minX: 0, minY: 0, maxX: 100, maxY: 100 };
  }

  zoomExtents() {
    const b = this.bounds();
    const w = this.width(), h = this.height();
    const spanX = Math.max(b.maxX - b.minX, 1e-9), spanY = Math.max(b.maxY - b.minY, 1e-9);
    this.scale = 0.9 * Math.min(w / spanX, h / spanY);
    this.originX = (b.minX + b.maxX) / 2 - w / 2 / this.scale;
    this.originY = (b.minY + b.maxY) / 2 - h / 2 / this.scale;
    this.changed();
  }

  width() { return this.container.clientWidth || 1; }
  height() { return this.container.clientHeight || 1; }

  toWorld(clientX, clientY) {
    const r = this.canvas.getBoundingClientRect();
    return { x: this.originX + (clientX - r.left) / this.scale, y: this.originY + (r.bottom - clientY) / this.scale };
  }

  toClient(x, y) {
    const r = this.canvas.getBoundingClientRect();
    return { x: r.left + (x - this.originX) * this.scale, y: r.bottom - (y - this.originY) * this.scale };
  }

  pixelSize() { return 1 / this.scale; }

  changed() { this.requestRedraw(); this.dispatchEvent(new Event('viewchange')); }

  resize() {
    const ratio = window.devicePixelRatio || 1;
    this.canvas.width = Math.round(this.width() * ratio);
    this.canvas.height = Math.round(this.height() * ratio);
    this.canvas.style.width = `${this.width()}px`;
    this.canvas.style.height = `${this.height()}px`;
    this.requestRedraw();
  }

  requestRedraw() {
    if (this.pending) return;
    this.pending = requestAnimationFrame(() => { this.pending = 0; this.draw(); });
  }

  draw() {
    const ctx = this.ctx, ratio = window.devicePixelRatio || 1, h = this.height();
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = this.theme.background;
    ctx.fillRect(0, 0, this.width(), h);
    ctx.lineWidth = 1;
    const sx = (x) => (x - this.originX) * this.scale, sy = (y) => h - (y - this.originY) * this.scale;
    for (const e of this.entities) {
      ctx.strokeStyle = e.color === '#000000' ? this.theme.ink : e.color;
      ctx.beginPath();
      for (let i = 0; i + 3 < e.segments.length; i += 4) {
        ctx.moveTo(sx(e.segments[i]), sy(e.segments[i + 1]));
        ctx.lineTo(sx(e.segments[i + 2]), sy(e.segments[i + 3]));
      }
      ctx.stroke();
      ctx.fillStyle = ctx.strokeStyle;
      for (let i = 0; i + 1 < e.points.length; i += 2) ctx.fillRect(sx(e.points[i]) - 1, sy(e.points[i + 1]) - 1, 2, 2);
    }
    if (this.overlay) { ctx.save(); this.overlay(ctx, this); ctx.restore(); }
  }

  listen() {
    const el = this.canvas;
    el.addEventListener('wheel', (event) => {
      event.preventDefault();
      const before = this.toWorld(event.clientX, event.clientY);
      this.scale *= Math.exp(-event.deltaY * 0.0015);
      const after = this.toWorld(event.clientX, event.clientY);
      this.originX += before.x - after.x;
      this.originY += before.y - after.y;
      this.changed();
    }, { passive: false });
    el.addEventListener('pointerdown', (event) => {
      if (event.button === 1 || (event.button === 0 && this.leftDragPans)) {
        this.drag = { x: event.clientX, y: event.clientY };
      }
    });
    window.addEventListener('pointermove', (event) => {
      if (!this.drag) return;
      this.originX -= (event.clientX - this.drag.x) / this.scale;
      this.originY += (event.clientY - this.drag.y) / this.scale;
      this.drag = { x: event.clientX, y: event.clientY };
      this.changed();
    });
    window.addEventListener('pointerup', () => { this.drag = null; });
    el.addEventListener('auxclick', (event) => { if (event.button === 1 && event.detail === 2) this.zoomExtents(); });
  }
}
