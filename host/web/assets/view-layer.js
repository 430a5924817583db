// The 2D layer above the geometry (texts and the page's overlay). It holds a bitmap only while a
// frame draws on it: an empty layer shrinks to nothing, which spares a window-sized bitmap and
// its compositing at the zooms where no text can be read.
export class TextLayer {
  constructor(canvas) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d');
    this.width = 0;
    this.height = 0;
    this.used = false;
    this.shrink();
  }

  // Device pixels the layer has while it shows something.
  resize(width, height) {
    this.width = width;
    this.height = height;
    if (this.canvas.width !== 0) this.open();
  }

  // Starts a frame: what the last one drew goes.
  begin() {
    this.used = false;
    if (this.canvas.width === 0) return;
    this.ctx.setTransform(1, 0, 0, 1, 0, 0);
    this.ctx.clearRect(0, 0, this.canvas.width, this.canvas.height);
  }

  // The context to draw on; the bitmap is made on the frame's first use.
  context() {
    if (!this.used) this.open();
    this.used = true;
    return this.ctx;
  }

  // Ends a frame: a layer the frame left empty lets its bitmap go.
  end() {
    if (!this.used) this.shrink();
  }

  open() {
    if (this.canvas.width !== this.width) this.canvas.width = this.width;
    if (this.canvas.height !== this.height) this.canvas.height = this.height;
  }

  shrink() {
    this.canvas.width = 0;
    this.canvas.height = 0;
  }
}
