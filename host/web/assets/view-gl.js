// WebGL2 drawing of the scene: every body's floats go to the GPU once as one buffer; batches are
// drawn from it by offset (one call per chunk, colour and kind) and shared shapes by instancing.

const PLAIN_VS = `#version 300 es
in vec2 a_pos;
uniform vec2 u_offset, u_scale;
void main() {
  gl_Position = vec4((a_pos + u_offset) * u_scale, 0.0, 1.0);
  gl_PointSize = 2.0;
}`;

const INSTANCED_VS = `#version 300 es
in vec2 a_pos;
in vec4 a_linear;
in vec2 a_move;
uniform vec2 u_offset, u_scale, u_pivot;
void main() {
  vec2 q = a_pos + u_pivot;
  vec2 p = vec2(a_linear.x * q.x + a_linear.z * q.y, a_linear.y * q.x + a_linear.w * q.y);
  gl_Position = vec4((p + a_move + u_offset) * u_scale, 0.0, 1.0);
  gl_PointSize = 2.0;
}`;

const FS = `#version 300 es
precision mediump float;
uniform vec4 u_color;
out vec4 outColor;
void main() { outColor = u_color; }`;

const DOT_PIXELS = 3;

function colorRef(part, group) {
  return part.i === 1 ? group.b : part.i === 2 ? group.z : part.c;
}

// Compiling and linking are only queued here: asking for their status would wait for the GPU
// process, and with a software GPU that wait holds the page's start. The status is read when the
// program is first used (see ready()), by which time it has long been compiled.
function compile(gl, vs, fs) {
  const program = gl.createProgram();
  const shaders = [[gl.VERTEX_SHADER, vs], [gl.FRAGMENT_SHADER, fs]].map(([type, source]) => {
    const shader = gl.createShader(type);
    gl.shaderSource(shader, source);
    gl.compileShader(shader);
    gl.attachShader(program, shader);
    return shader;
  });
  gl.bindAttribLocation(program, 0, 'a_pos');
  gl.bindAttribLocation(program, 1, 'a_linear');
  gl.bindAttribLocation(program, 2, 'a_move');
  gl.linkProgram(program);
  return { program, shaders, linked: false };
}

// Throws with the compiler's log if the program did not build; finds its uniforms once it did.
function ready(gl, entry) {
  if (entry.linked) return entry;
  if (!gl.getProgramParameter(entry.program, gl.LINK_STATUS)) {
    const logs = entry.shaders.map((shader) => gl.getShaderInfoLog(shader)).filter(Boolean);
    throw new Error([...logs, gl.getProgramInfoLog(entry.program)].join('\n'));
  }
  const uniform = (name) => gl.getUniformLocation(entry.program, name);
  Object.assign(entry, { linked: true, offset: uniform('u_offset'), scale: uniform('u_scale'),
    color: uniform('u_color'), pivot: uniform('u_pivot') });
  return entry;
}

export class GlRenderer {
  constructor(canvas) {
    // Flat drawing in paint order needs neither depth nor stencil: without them the context
    // spares a window-sized buffer (with a software GPU, plain process memory).
    const gl = canvas.getContext('webgl2', { antialias: false, preserveDrawingBuffer: true,
      alpha: false, depth: false, stencil: false, powerPreference: 'high-performance' });
    if (!gl) throw new Error('WebGL2 is not available');
    this.gl = gl;
    this.plain = compile(gl, PLAIN_VS, FS);
    this.instanced = compile(gl, INSTANCED_VS, FS);
    this.vao = gl.createVertexArray();
    this.drawCalls = 0;
    // One vertex at the origin: a shape of a few pixels is drawn as a dot at its centre.
    this.dot = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, this.dot);
    gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([0, 0]), gl.STATIC_DRAW);
  }

  // A GPU buffer holding one body's floats, freed when nothing refers to it any more.
  upload(floats) {
    const gl = this.gl;
    const buffer = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
    gl.bufferData(gl.ARRAY_BUFFER, floats, gl.STATIC_DRAW);
    return { buffer, users: 0 };
  }

  release(block) {
    if (--block.users <= 0) this.gl.deleteBuffer(block.buffer);
  }

  renderer() {
    const gl = this.gl;
    const info = gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
  }

  // frame: {width, height (device pixels), background [r,g,b], chunks: [{chunk, offset:[x,y]}],
  //         scale: [sx, sy] world units to clip space, shapes, colorOf(ref) -> [r,g,b,a],
  //         pixelsPerUnit}
  draw(frame) {
    const gl = this.gl;
    this.drawCalls = 0;
    gl.viewport(0, 0, frame.width, frame.height);
    gl.clearColor(...frame.background, 1);
    gl.clear(gl.COLOR_BUFFER_BIT);
    gl.bindVertexArray(this.vao);
    gl.enableVertexAttribArray(0);
    const plain = ready(gl, this.plain);
    gl.useProgram(plain.program);
    gl.uniform2fv(plain.scale, frame.scale);
    for (const { chunk, offset } of frame.chunks) this.drawPlain(chunk, offset, frame);
    const instanced = ready(gl, this.instanced);
    gl.useProgram(instanced.program);
    gl.uniform2fv(instanced.scale, frame.scale);
    gl.enableVertexAttribArray(1);
    gl.enableVertexAttribArray(2);
    gl.vertexAttribDivisor(1, 1);
    gl.vertexAttribDivisor(2, 1);
    for (const { chunk, offset } of frame.chunks) this.drawInstances(chunk, offset, frame);
    gl.vertexAttribDivisor(1, 0);
    gl.vertexAttribDivisor(2, 0);
    gl.disableVertexAttribArray(1);
    gl.disableVertexAttribArray(2);
  }

  drawPlain(chunk, offset, frame) {
    const gl = this.gl;
    gl.bindBuffer(gl.ARRAY_BUFFER, chunk.gpu.buffer);
    gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
    gl.uniform2fv(this.plain.offset, offset);
    for (const batch of chunk.batches) {
      gl.uniform4fv(this.plain.color, frame.colorOf(batch.c));
      this.arrays(gl.LINES, batch.l, 0);
      this.arrays(gl.TRIANGLES, batch.t, 0);
      this.arrays(gl.POINTS, batch.p, 0);
    }
  }

  drawInstances(chunk, offset, frame) {
    const gl = this.gl;
    gl.uniform2fv(this.instanced.offset, offset);
    for (const group of chunk.inst) {
      const shape = frame.shapes.get(group.s);
      const pixels = shape ? shape.size * group.scale * frame.pixelsPerUnit : 0;
      // A shape under a pixel at this zoom is left out and one of a few pixels is a dot, as
      // CAD programs simplify detail they cannot show.
      if (pixels < 1) continue;
      gl.bindBuffer(gl.ARRAY_BUFFER, chunk.gpu.buffer);
      gl.vertexAttribPointer(1, 4, gl.FLOAT, false, 24, group.m[0] * 4);
      gl.vertexAttribPointer(2, 2, gl.FLOAT, false, 24, group.m[0] * 4 + 16);
      const count = group.m[1] / 6;
      if (pixels < DOT_PIXELS) {
        this.drawDots(shape, group, count, frame);
        continue;
      }
      gl.uniform2f(this.instanced.pivot, 0, 0);
      gl.bindBuffer(gl.ARRAY_BUFFER, shape.gpu.buffer);
      gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
      for (const part of shape.parts) {
        gl.uniform4fv(this.instanced.color, frame.colorOf(colorRef(part, group)));
        this.arrays(gl.LINES, part.l, count);
        this.arrays(gl.TRIANGLES, part.t, count);
        this.arrays(gl.POINTS, part.p, count);
      }
    }
  }

  drawDots(shape, group, count, frame) {
    const gl = this.gl;
    const [x0, y0, x1, y1] = shape.bbox;
    gl.uniform2f(this.instanced.pivot, (x0 + x1) / 2, (y0 + y1) / 2);
    gl.bindBuffer(gl.ARRAY_BUFFER, this.dot);
    gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
    gl.uniform4fv(this.instanced.color, frame.colorOf(colorRef(shape.parts[0], group)));
    this.arrays(gl.POINTS, [0, 2], count);
  }

  // instances 0: a plain draw.
  arrays(mode, [offset, count], instances) {
    if (count === 0) return;
    this.drawCalls++;
    if (instances === 0) {
      this.gl.drawArrays(mode, offset / 2, count / 2);
    } else {
      this.gl.drawArraysInstanced(mode, offset / 2, count / 2, instances);
    }
  }

  finish() {
    this.gl.finish();
  }
}
