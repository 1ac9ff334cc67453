// The page: the player's choice goes to the converter's worker (worker.js), whose program text
// is shown in the log in the console's colours; the answer to the program's question goes back.
'use strict';

const worker = new Worker('worker.js');
const $ = (id) => document.getElementById(id);
const log = $('log');
const status = $('status');
const progress = $('progress');
const question = $('question');
const controls = [$('choose-folder'), $('folder-input'), $('files-input')];
let ready = false;
let busy = false;
let downloadUrl = null;

function say(text, problem = false) {
  status.textContent = text;
  status.classList.toggle('problem', problem);
}

function setBusy(value) {
  busy = value;
  for (const control of controls) control.disabled = busy || !ready || (control.id === 'choose-folder' && !canWriteFolders());
}

function canWriteFolders() { return typeof window.showDirectoryPicker === 'function'; }

// ---- The program's text ------------------------------------------------------------------------

function classesOf(piece) {
  if (piece.stream === 2) return 'stderr';
  if (piece.colour < 0) return '';
  return `fg-${piece.colour & 15} bg-${(piece.colour >> 4) & 15}`;
}

function show(piece) {
  const classes = classesOf(piece);
  const last = log.lastElementChild;
  if (last && last.className === classes) {
    last.textContent += piece.text;
  } else {
    const span = document.createElement('span');
    span.className = classes;
    span.textContent = piece.text;
    log.append(span);
  }
  log.scrollTop = log.scrollHeight;
}

// ---- The older-edition question ----------------------------------------------------------------

function answer(value) {
  if (question.hidden) return;
  question.hidden = true;
  document.removeEventListener('keydown', onAnswerKey);
  worker.postMessage({ type: 'answer', answer: value });
  say(value === 'y' ? 'Converting the older-edition saves too…' : 'Finishing…');
}

function onAnswerKey(event) {
  const key = event.key.toLowerCase();
  if (key === 'y' || key === 'n') {
    event.preventDefault();
    answer(key);
  }
}

$('answer-yes').addEventListener('click', () => answer('y'));
$('answer-no').addEventListener('click', () => answer('n'));

// ---- Runs --------------------------------------------------------------------------------------

function start(message, transfer = []) {
  log.textContent = '';
  progress.textContent = '';
  $('download').hidden = true;
  if (downloadUrl) URL.revokeObjectURL(downloadUrl);
  downloadUrl = null;
  setBusy(true);
  say('Converting…');
  worker.postMessage(message, transfer);
}

function finish(message) {
  setBusy(false);
  log.dataset.programMilliseconds = Math.round(message.programMilliseconds);
  progress.textContent = '';
  const failures = message.failures || [];
  if (failures.length) {
    say(`${failures.length} converted ${failures.length === 1 ? 'copy' : 'copies'} could not be written into the folder: ` +
      failures.map((failure) => `${failure.path} (${failure.reason})`).join('; '), true);
  } else if (message.download) {
    downloadUrl = URL.createObjectURL(new Blob([message.download.bytes], { type: 'application/octet-stream' }));
    const link = $('download-link');
    link.href = downloadUrl;
    link.download = message.download.name;
    link.textContent = `Download ${message.download.name}`;
    $('download').hidden = false;
    say(`Done. ${message.written.length} converted ${message.written.length === 1 ? 'copy' : 'copies'}: download below.`);
    link.click();
  } else {
    say(`Done. ${message.written.length} converted ${message.written.length === 1 ? 'copy' : 'copies'} written beside the saves.`);
  }
}

worker.onmessage = (event) => {
  const message = event.data;
  switch (message.type) {
    case 'ready':
      ready = true;
      setBusy(false);
      document.body.dataset.ready = 'true';
      if (!canWriteFolders())
        $('folder-note').textContent = 'This browser cannot write into a folder: give the saves below instead.';
      break;
    case 'text': show(message.piece); break;
    case 'progress': progress.textContent = `${message.path} (${message.done} of ${message.total})`; break;
    case 'question':
      question.hidden = false;
      say('Answer the question: Yes or No (keys y and n).');
      document.addEventListener('keydown', onAnswerKey);
      $('answer-yes').focus();
      break;
    case 'done': finish(message); break;
    case 'fatal':
      setBusy(false);
      say(message.text, true);
      break;
  }
};
worker.onerror = (event) => say(`The converter failed: ${event.message}`, true);

// The folder flow: choosing the folder is the consent, as a drop on the program is.
$('choose-folder').addEventListener('click', async () => {
  let folder;
  try {
    folder = await window.showDirectoryPicker({ id: 'games', mode: 'readwrite' });
  } catch (error) {
    if (error.name === 'AbortError') say('No folder was chosen: nothing was converted.');
    else say(`The browser did not give the page the folder (${error.message}): nothing was converted.`, true);
    return;
  }
  const permission = await folder.queryPermission({ mode: 'readwrite' });
  if (permission !== 'granted' && (await folder.requestPermission({ mode: 'readwrite' })) !== 'granted') {
    say(`The page was not allowed to write in "${folder.name}": nothing was converted.`, true);
    return;
  }
  start({ type: 'folder', handle: folder });
});

// The files flow: each file with its path below what was chosen.
function startFiles(files) {
  if (!files.length) return say('Nothing was given: nothing was converted.');
  start({ type: 'files', files });
}

for (const id of ['folder-input', 'files-input']) {
  $(id).addEventListener('change', (event) => {
    const files = [...event.target.files].map((file) => ({ path: file.webkitRelativePath || file.name, file }));
    event.target.value = '';
    startFiles(files);
  });
}

// Dropped files and folders, walked as the browser gives their entries.
function entriesOf(folder) {
  const reader = folder.createReader();
  const all = [];
  return new Promise((resolve, reject) => {
    const next = () => reader.readEntries((entries) => {
      if (!entries.length) return resolve(all);
      all.push(...entries);
      next();
    }, reject);
    next();
  });
}

async function filesOf(entry, files) {
  const path = entry.fullPath.replace(/^\//, '');
  if (entry.isFile) {
    files.push({ path, file: await new Promise((resolve, reject) => entry.file(resolve, reject)) });
  } else if (entry.isDirectory) {
    for (const child of await entriesOf(entry)) await filesOf(child, files);
  }
}

const dropArea = $('drop-area');
dropArea.addEventListener('dragover', (event) => {
  event.preventDefault();
  if (!busy && ready) dropArea.classList.add('dragging');
});
dropArea.addEventListener('dragleave', () => dropArea.classList.remove('dragging'));
dropArea.addEventListener('drop', async (event) => {
  event.preventDefault();
  dropArea.classList.remove('dragging');
  if (busy || !ready) return;
  const entries = [...event.dataTransfer.items].map((item) => item.webkitGetAsEntry()).filter(Boolean);
  const files = [];
  try {
    for (const entry of entries) await filesOf(entry, files);
  } catch (error) {
    return say(`The browser did not give the page what was dropped (${error.message}): nothing was converted.`, true);
  }
  startFiles(files);
});
