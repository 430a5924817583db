// The page: the drawing view, the command line under it and the toolbar, all kept in step with
// the host session through the event stream. The session (and its snaps and picks) lives in
// veld; this page only shows it and passes on what the user types and clicks.
import { DrawingView } from './view.js';
import { PickInput } from './picks.js';
import { FileControls } from './files.js';

const token = new URLSearchParams(location.search).get('token') || '';

// Requests carry the token in a header too (the cookie is the fallback for module imports).
export async function call(path, { method = 'GET', body, json } = {}) {
  const headers = { 'X-Veld-Token': token };
  if (json !== undefined) {
    headers['Content-Type'] = 'application/json';
    body = JSON.stringify(json);
  }
  const response = await fetch(path, { method, headers, body });
  if (!response.ok) throw new Error((await response.text()).trim() || response.statusText);
  return response;
}

const session = {
  prompt: { kind: 'command', text: 'Command: ', base: null },
  revision: 0,
  dialogOpen: false,
  sendLine: (text) => call('api/input', { method: 'POST', body: text }),
  escape: () => call('api/escape', { method: 'POST' }),
  pick: (json) => call('api/pick', { method: 'POST', json }),
};

// The drawing is asked for before anything else is set up, so that it travels while the view is
// being built; the first refresh takes this answer.
let earlyDisplay = call('api/display');
earlyDisplay.catch(() => {}); // its failure is reported by the refresh that takes it

const view = new DrawingView(document.getElementById('view'), { theme: 'dark' });
const picks = new PickInput(view, session, call);
const transcript = document.getElementById('transcript');
const history = document.getElementById('history');
const input = document.getElementById('command');
const status = document.getElementById('status');

// --- the picture ----------------------------------------------------------------------------

function requestDisplay(since) {
  const early = earlyDisplay;
  earlyDisplay = null;
  return early && !since ? early : call(`api/display${since}`);
}

let fetching = null;
async function refreshDrawing(revision) {
  if (revision === session.revision) return;
  if (fetching) { await fetching; return refreshDrawing(revision); }
  fetching = (async () => {
    const since = session.revision ? `?since=${session.revision}` : '';
    const response = await requestDisplay(since);
    const full = !since || response.headers.get('X-Veld-Full') === '1';
    const bytes = await response.arrayBuffer();
    await (full ? view.load(bytes) : view.apply(bytes));
    session.revision = Number(response.headers.get('X-Veld-Revision'));
  })();
  try { await fetching; } finally { fetching = null; }
}

// --- the command line -----------------------------------------------------------------------

function showTranscript(text, replace) {
  if (replace) history.textContent = '';
  history.append(text);
  transcript.scrollTop = transcript.scrollHeight;
}

const typed = [];
let recalled = -1;

async function submit(text) {
  if (text !== '') typed.push(text);
  recalled = -1;
  input.value = '';
  await session.sendLine(text);
}

// A toolbar command ends the running one first, as a menu pick does; while a dialog is open
// the dialog has to be answered first (its lines would not be commands).
async function runCommand(...lines) {
  if (session.dialogOpen) return;
  if (session.prompt.kind !== 'command') await session.escape();
  for (const line of lines) await session.sendLine(line);
}

input.addEventListener('keydown', (event) => {
  if (event.key === 'Enter') {
    event.preventDefault();
    submit(input.value);
  } else if (event.key === ' ' && input.value === '' && session.prompt.kind !== 'text') {
    event.preventDefault(); // SPACE answers like RETURN except where text is asked
    submit('');
  } else if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
    event.preventDefault();
    if (!typed.length) return;
    recalled = event.key === 'ArrowUp'
      ? (recalled < 0 ? typed.length - 1 : Math.max(0, recalled - 1))
      : (recalled < 0 ? -1 : recalled + 1);
    if (recalled >= typed.length) recalled = -1;
    input.value = recalled < 0 ? '' : typed[recalled];
  }
});

document.addEventListener('keydown', (event) => {
  if (event.key !== 'Escape') return;
  if (document.getElementById('dialog-layer').childElementCount) return; // the dialog's own
  event.preventDefault();
  input.value = '';
  picks.cancel();
  session.escape();
});

transcript.addEventListener('click', () => input.focus());

for (const button of document.querySelectorAll('[data-command]')) {
  const name = button.dataset.command;
  button.addEventListener('click', () => (name === 'SAVE' ? runCommand('SAVE', '') : runCommand(name)));
}
document.getElementById('zoom-extents').addEventListener('click', () => view.zoomExtents());
new FileControls(call, runCommand, (text) => showTranscript(`\n${text}`));

// --- dialogs (shown by dialog.js when this build has it) -----------------------------------

let dialogs = null;
async function showDialogEvent(event) {
  if (dialogs === null) {
    dialogs = import('./dialog.js').catch(() => undefined);
  }
  const module = await dialogs;
  if (module) module.showDialogEvent(event, session.sendLine, document.getElementById('dialog-layer'));
}

function showFile({ name, modified }) {
  const shown = name || 'Drawing1.dxf';
  document.getElementById('file-name').textContent = `${shown}${modified ? ' (changed)' : ''}`;
  document.title = `${shown.split('/').pop()}${modified ? ' *' : ''} – veld`;
}

// --- the event stream ------------------------------------------------------------------------

function onEvent(event) {
  switch (event.type) {
    case 'transcript': showTranscript(event.text, event.replay); break;
    case 'prompt':
      session.prompt = event;
      picks.promptChanged(event);
      break;
    case 'display': refreshDrawing(event.revision).catch((e) => { status.textContent = e.message; }); break;
    case 'dialog': case 'messagebox': case 'dialog-closed':
      session.dialogOpen = event.type !== 'dialog-closed';
      for (const button of document.querySelectorAll('[data-command]')) button.disabled = session.dialogOpen;
      showDialogEvent(event);
      break;
    case 'file': showFile(event); break;
    default: break;
  }
}

const events = new EventSource(`api/events?token=${encodeURIComponent(token)}`);
events.onmessage = (message) => onEvent(JSON.parse(message.data));
events.onerror = () => { status.textContent = 'veld serve is not reachable'; };
events.onopen = () => { status.textContent = ''; };

refreshDrawing(null).catch((e) => { status.textContent = e.message; });
view.addEventListener('viewchange', () => picks.redraw());
input.focus();

// For tests and the curious: the page's parts.
window.veld = { view, session, picks };
