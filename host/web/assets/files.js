// The file buttons: save as (a path on the serving machine), download the current DXF, open a
// DXF by its path or by uploading it.

export class FileControls {
  constructor(call, runCommand, report) {
    this.call = call;
    this.runCommand = runCommand;
    this.report = report;
    this.form = document.getElementById('path-form');
    this.label = document.getElementById('path-label');
    this.pathInput = document.getElementById('path-input');
    this.onPath = null;
    this.form.addEventListener('submit', (e) => { e.preventDefault(); this.finish(this.pathInput.value.trim()); });
    document.getElementById('path-cancel').addEventListener('click', () => this.finish(''));
    document.getElementById('save-as').addEventListener('click', () =>
      this.askPath('Save as (path on the machine running veld)', (path) => this.runCommand('SAVE', path)));
    document.getElementById('open-path').addEventListener('click', () =>
      this.askPath('Open DXF (path on the machine running veld)', (path) => this.open(path)));
    document.getElementById('download').addEventListener('click', () => this.download());
    document.getElementById('upload').addEventListener('change', (e) => this.upload(e.target));
  }

  askPath(label, then) {
    this.label.textContent = label;
    this.pathInput.setAttribute('aria-label', label);
    this.onPath = then;
    this.form.hidden = false;
    this.pathInput.focus();
  }

  finish(path) {
    const then = this.onPath;
    this.onPath = null;
    this.form.hidden = true;
    this.pathInput.value = '';
    if (path && then) then(path);
    document.getElementById('command').focus();
  }

  async open(path) {
    try {
      await this.call('api/open', { method: 'POST', body: path });
    } catch (error) {
      this.report(`Cannot open ${path}: ${error.message}`);
    }
  }

  async download() {
    try {
      const response = await this.call('api/download');
      const name = /filename="([^"]+)"/.exec(response.headers.get('Content-Disposition') || '')?.[1] || 'drawing.dxf';
      const link = document.createElement('a');
      link.href = URL.createObjectURL(await response.blob());
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10_000);
    } catch (error) {
      this.report(`Cannot download: ${error.message}`);
    }
  }

  async upload(fileInput) {
    const file = fileInput.files[0];
    fileInput.value = '';
    if (!file) return;
    try {
      await this.call(`api/upload?name=${encodeURIComponent(file.name)}`, { method: 'POST', body: file });
    } catch (error) {
      this.report(`Cannot open ${file.name}: ${error.message}`);
    }
  }
}
