// Drawings and scene bodies for the view tests: the demo script run by the real veld on the
// sample grid, and veld_scene_dump (a test tool of the build) for the bodies.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const source = process.env.VELD_SOURCE_DIR || path.resolve('../..');
const binary = process.env.VELD_BINARY_DIR || path.join(source, 'build');
const veld = process.env.VELD_EXE || path.join(binary, 'veld');
const dump = path.join(binary, 'tests', 'veld_scene_dump');

export function tempFolder() {
  return mkdtempSync(path.join(os.tmpdir(), 'veld-view-'));
}

// Runs the demo script on the sample grid; returns the grid and the resulting drawing.
export function demoDrawings(folder) {
  const out = path.join(folder, 'demo.dxf');
  execFileSync(veld, ['run', path.join(source, 'support/demo/demo.veld'), '--profile',
    path.join(folder, 'profile'), '--drawing', path.join(source, 'support/sample/grid.dxf'),
    '--out', out], { stdio: 'pipe' });
  return { grid: path.join(source, 'support/sample/grid.dxf'), demo: out };
}

// The full body of `drawing`, and with `next` also the delta from it to `next`.
export function sceneBodies(folder, drawing, next) {
  const full = path.join(folder, path.basename(drawing) + '.scene');
  const delta = path.join(folder, 'delta.scene');
  execFileSync(dump, next ? [drawing, full, next, delta] : [drawing, full], { stdio: 'pipe' });
  return { full: readFileSync(full), delta: next ? readFileSync(delta) : null };
}

export function writeDxf(folder, name, text) {
  const file = path.join(folder, name);
  writeFileSync(file, text);
  return file;
}
