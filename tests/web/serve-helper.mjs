// Starts `veld serve --no-browser --port 0` for one browser test and stops it again. The first
// line veld prints is the page's URL with its token.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';

const sourceDir = process.env.VELD_SOURCE_DIR || path.resolve(import.meta.dirname, '../..');
const veldExe = process.env.VELD_EXE || path.join(sourceDir, 'build', 'veld');

const folders = [];
process.on('exit', () => folders.forEach((dir) => fs.rmSync(dir, { recursive: true, force: true })));

// A fresh temporary folder (removed when the process ends).
export function tempFolder(prefix = 'veld-web-') {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  folders.push(dir);
  return dir;
}

// A copy of a drawing of the source tree (e.g. 'support/sample/grid.dxf') in a temporary
// folder, so that SAVE in a test never writes into the tree.
export function copyDrawing(relativePath, folder = tempFolder()) {
  const target = path.join(folder, path.basename(relativePath));
  fs.copyFileSync(path.join(sourceDir, relativePath), target);
  return target;
}

function firstLine(stream, child, timeoutMs) {
  return new Promise((resolve, reject) => {
    const lines = readline.createInterface({ input: stream });
    let stderr = '';
    child.stderr.on('data', (chunk) => { stderr += chunk; });
    const timer = setTimeout(() => reject(new Error(`veld serve printed no URL: ${stderr}`)), timeoutMs);
    lines.once('line', (line) => { clearTimeout(timer); resolve(line.trim()); });
    child.once('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`veld serve ended (${code}) before printing its URL: ${stderr}`));
    });
  });
}

// -> { url, token, origin, process, output(), stop() }. `drawing` is opened as given; `profile`
// defaults to a new temporary folder; `args` are added to the command line; with `stdin` 'pipe'
// the test answers veld's questions on process.stdin.
export async function startServe({ drawing, profile, args = [], stdin = 'ignore' } = {}) {
  const argv = ['serve'];
  if (drawing) argv.push(drawing);
  argv.push('--no-browser', '--port', '0', '--profile', profile || tempFolder('veld-profile-'), ...args);
  const child = spawn(veldExe, argv, { stdio: [stdin, 'pipe', 'pipe'] });
  let output = '';
  const url = await firstLine(child.stdout, child, 30_000);
  child.stdout.on('data', (chunk) => { output += chunk; });
  const parsed = new URL(url);
  const exited = new Promise((resolve) => child.once('exit', (code, signal) => resolve({ code, signal })));
  return {
    url,
    token: parsed.searchParams.get('token'),
    origin: parsed.origin,
    process: child,
    output: () => output,
    async stop() {
      if (child.exitCode !== null || child.signalCode !== null) return exited;
      child.kill('SIGTERM');
      const timer = setTimeout(() => child.kill('SIGKILL'), 10_000);
      const result = await exited;
      clearTimeout(timer);
      return result;
    },
  };
}

// The independent ezdxf check of a DXF file (tests/support/ezdxf_check.py): its JSON report.
export function auditDxf(file) {
  const script = path.join(sourceDir, 'tests', 'support', 'ezdxf_check.py');
  const run = spawnSync('/usr/bin/python3', [script, file], { encoding: 'utf8' });
  return JSON.parse(run.stdout);
}

// The LINE entities of model space as read by ezdxf: [[x1, y1, x2, y2], ...] at full precision.
export function linesOf(file) {
  const program = 'import ezdxf, json, sys\n' +
    'doc = ezdxf.readfile(sys.argv[1])\n' +
    'print(json.dumps([[e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y] for e in doc.modelspace().query("LINE")]))';
  const run = spawnSync('/usr/bin/python3', ['-c', program, file], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(run.stderr);
  return JSON.parse(run.stdout);
}

// Every entity of model space as [type, layer, coordinates...] (points of lines, polylines,
// circles, texts and inserts), sorted: two drawings with the same shapes give the same list.
export function shapesOf(file) {
  const program = 'import ezdxf, json, sys\n' +
    'doc = ezdxf.readfile(sys.argv[1])\n' +
    'def coords(e):\n' +
    '    t = e.dxftype()\n' +
    '    if t == "LWPOLYLINE": return [c for p in e.get_points("xy") for c in p]\n' +
    '    names = ["start", "end", "center", "insert", "radius"]\n' +
    '    return [c for n in names if e.dxf.hasattr(n) for c in (list(e.dxf.get(n))[:2] if n != "radius" else [e.dxf.radius])]\n' +
    'print(json.dumps(sorted([[e.dxftype(), e.dxf.layer] + coords(e) for e in doc.modelspace()], key=json.dumps)))';
  const run = spawnSync('/usr/bin/python3', ['-c', program, file], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(run.stderr);
  return JSON.parse(run.stdout);
}
