// The converter's worker: runs the program, compiled to WebAssembly, on a copy of what the player
// chose, in the module's in-memory file system, so that the page never waits on it. The program
// decides everything (walk, names, outcomes, the question); this worker only copies files in,
// feeds the answer, relays the text and colours, and hands back the files the run wrote.
'use strict';

importScripts('savefile-converter.js', 'fflate.js');

const RunFolder = '/run';  // the working folder: the chosen folder or files stand in it
const ReadsFile = 1;       // runReadsFile: the run may read the file's content
const LooksAtFile = 2;     // runReadsFile: the run looks at the file as a save of its own

let compiled = null;

// Compiled once when the page loads: after that the page needs no network.
const loading = fetch('savefile-converter.wasm')
  .then((response) => {
    if (!response.ok) throw new Error(`savefile-converter.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  })
  .then((bytes) => WebAssembly.compile(bytes))
  .then((module) => {
    compiled = module;
    postMessage({ type: 'ready' });
  })
  .catch((error) => postMessage({ type: 'fatal', text: `The converter could not be loaded: ${error.message}` }));

// A fresh instance of the program: every run starts from a clean process.
function newProgram(hooks) {
  return createConverter({
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled));
      return {};
    },
    writeStandard: hooks.write,
    setColour: hooks.colour,
    stdin: hooks.read,
    print: (text) => hooks.message(text),
    printErr: (text) => hooks.message(text),
  });
}

// ---- What the player chose, as a list of files -------------------------------------------------
// Each item: { path: 'games/sub/a.GM1', source: File | FileSystemFileHandle | null (unreadable) }
// Folders as { path, folder: true, refused: bool } so that empty and refused ones exist too.

async function listHandle(directory, path, items) {
  items.push({ path, folder: true, refused: false });
  const at = items.length - 1;
  const children = [];
  try {
    for await (const [name, handle] of directory.entries()) children.push([name, handle]);
  } catch (error) {
    // The browser refused to list it: the program finds a folder it cannot list.
    items[at].refused = true;
    return;
  }
  for (const [name, handle] of children) {
    if (handle.kind === 'directory') await listHandle(handle, `${path}/${name}`, items);
    else items.push({ path: `${path}/${name}`, source: handle });
  }
}

async function contentOf(source) {
  const file = source instanceof File ? source : await source.getFile();
  return new Uint8Array(await file.arrayBuffer());
}

// ---- One run of the program --------------------------------------------------------------------

function makeFolders(FS, path) {
  let at = '';
  for (const part of path.split('/')) {
    at += `/${part}`;
    if (!FS.analyzePath(at).exists) FS.mkdir(at);
  }
}

// Runs the program once on the items; `answer` is what standard input holds ('' for nothing).
// Calls `onText` for each piece of output as it comes, `onQuestion` when the program reads its
// answer. Returns { status, written: [{ path, bytes }] }.
async function runProgram(items, roots, answer, onText, onQuestion, contents) {
  const input = new TextEncoder().encode(answer);
  let inputAt = 0;
  let colour = -1;
  const decoders = { 1: new TextDecoder(), 2: new TextDecoder() };
  const messages = [];
  const program = await newProgram({
    write: (stream, bytes) => onText({ stream, colour, text: decoders[stream].decode(bytes, { stream: true }) }),
    colour: (attribute) => { colour = attribute; },
    read: () => {
      if (inputAt === 0) onQuestion();
      return inputAt < input.length ? input[inputAt++] : null;
    },
    message: (text) => messages.push(text),
  });
  const FS = program.FS;
  makeFolders(FS, RunFolder.slice(1));
  FS.chdir(RunFolder);

  // The files in, each under its path; a file is read only when the run may read it.
  const looked = new Map();  // path -> its number among the files the run looks at
  const placed = new Map();  // path -> inode, to tell the files the run wrote
  for (const item of items) {
    if (item.folder) {
      makeFolders(FS, `${RunFolder.slice(1)}/${item.path}`);
      if (item.refused) FS.chmod(item.path, 0);
      continue;
    }
    const flags = program.ccall('runReadsFile', 'number', ['string'], [item.path]);
    let bytes = new Uint8Array(0);
    let readable = true;
    if (flags & ReadsFile) {
      try {
        bytes = await contents(item);
      } catch (error) {
        readable = false;  // the program finds a file it cannot open
      }
    }
    FS.writeFile(item.path, bytes);
    if (!readable) FS.chmod(item.path, 0);
    if (flags & LooksAtFile) looked.set(`${RunFolder}/${item.path}`, looked.size + 1);
    placed.set(item.path, FS.stat(item.path).ino);
  }

  // Progress: the save the run opens, N of M.
  const open = FS.open;
  const seen = new Set();
  FS.open = function (path, ...rest) {
    const full = typeof path === 'string' ? (path.startsWith('/') ? path : `${RunFolder}/${path}`) : '';
    if (looked.has(full) && !seen.has(full)) {
      seen.add(full);
      postMessage({ type: 'progress', path: full.slice(RunFolder.length + 1), done: seen.size, total: looked.size });
    }
    return open.call(this, path, ...rest);
  };

  let status;
  const started = performance.now();
  try {
    status = program.callMain(['--no-pause', '--', ...roots]);
    programMilliseconds += performance.now() - started;
  } catch (error) {
    throw new Error(`The converter stopped: ${error.message || error}${messages.length ? `\n${messages.join('\n')}` : ''}`);
  }
  FS.open = open;
  for (const stream of [1, 2]) {
    const rest = decoders[stream].decode();
    if (rest) onText({ stream, colour, text: rest });
  }

  // What the run wrote is read whatever permissions the program gave it.
  FS.ignorePermissions = true;
  const written = [];
  const collect = (folder) => {
    for (const name of FS.readdir(`${RunFolder}/${folder}`)) {
      if (name === '.' || name === '..') continue;
      const path = folder ? `${folder}/${name}` : name;
      const node = FS.lstat(`${RunFolder}/${path}`);
      if (FS.isDir(node.mode)) collect(path);
      else if (FS.isFile(node.mode) && placed.get(path) !== node.ino) written.push({ path, bytes: FS.readFile(`${RunFolder}/${path}`) });
    }
  };
  collect('');
  return { status, written };
}

// ---- A run as the page asks for it -------------------------------------------------------------
// The program reads its answer to the older-edition question from standard input, which must
// hold it before the run starts. The run therefore goes once with nothing on standard input: the
// program reads it only when it asks the question, and with no answer it goes on as with "n".
// When it asked, the page asks the player; "n" keeps that run, "y" runs the program again with
// "y" on standard input, whose text up to the question is the first run's.

let pendingAnswer = null;
let programMilliseconds = 0;  // how long the program itself ran, for the benchmark

async function convert(items, roots, contents) {
  const shown = [];        // pieces of text the page has
  let held = null;         // after the question: pieces held back until the answer
  const first = await runProgram(items, roots, '', (piece) => {
    if (held) return held.push(piece);
    shown.push(piece);
    postMessage({ type: 'text', piece });
  }, () => { held = []; }, contents);
  if (!held) return first.written;

  postMessage({ type: 'question' });
  const answer = await new Promise((resolve) => { pendingAnswer = resolve; });
  if (answer !== 'y') {
    for (const piece of held) postMessage({ type: 'text', piece });
    return first.written;
  }
  // The second run's text up to the question is the first run's: only what follows is new.
  let repeated = 0;
  let asked = false;
  const second = await runProgram(items, roots, 'y', (piece) => {
    if (!asked && repeated < shown.length && shown[repeated].text === piece.text) {
      repeated += 1;
      return;
    }
    postMessage({ type: 'text', piece });
  }, () => { asked = true; }, contents);
  return second.written;
}

// The folder flow: every file the run wrote goes back beside its source, replaced only when the
// new content is complete (createWritable writes a copy and swaps it in on close).
async function writeBack(root, written) {
  const failures = [];
  for (const file of written) {
    const parts = file.path.split('/').slice(1);
    const name = parts.pop();
    try {
      let folder = root;
      for (const part of parts) folder = await folder.getDirectoryHandle(part);
      const handle = await folder.getFileHandle(name, { create: true });
      const writable = await handle.createWritable();
      try {
        await writable.write(file.bytes);
        await writable.close();
      } catch (error) {
        await writable.abort().catch(() => {});
        throw error;
      }
    } catch (error) {
      failures.push({ path: file.path, reason: error.message || String(error) });
    }
  }
  return failures;
}

function zipped(written) {
  if (written.length === 1) return { name: written[0].path.split('/').pop(), bytes: written[0].bytes };
  const entries = {};
  for (const file of written) entries[file.path] = file.bytes;
  return { name: 'converted-saves.zip', bytes: fflate.zipSync(entries, { level: 6, mtime: new Date(1980, 0, 1) }) };
}

async function runFolder(root) {
  const items = [];
  await listHandle(root, root.name, items);
  const written = await convert(items, [root.name], (item) => contentOf(item.source));
  const failures = await writeBack(root, written);
  postMessage({ type: 'done', written: written.map((file) => file.path), failures, programMilliseconds });
}

// The files flow: files and folders given by the file inputs or dropped, each with its path.
async function runFiles(given) {
  const items = [];
  const roots = [];
  const folders = new Set();
  for (const { path, file } of given) {
    const parts = path.split('/');
    if (!roots.includes(parts[0])) roots.push(parts[0]);
    for (let depth = 1; depth < parts.length; depth += 1) {
      const folder = parts.slice(0, depth).join('/');
      if (!folders.has(folder)) {
        folders.add(folder);
        items.push({ path: folder, folder: true, refused: false });
      }
    }
    items.push({ path, source: file });
  }
  const written = await convert(items, roots, (item) => contentOf(item.source));
  const download = written.length ? zipped(written) : null;
  postMessage({ type: 'done', written: written.map((file) => file.path), failures: [], download, programMilliseconds },
    download ? [download.bytes.buffer] : []);
}

onmessage = async (event) => {
  const message = event.data;
  if (message.type === 'answer') {
    if (pendingAnswer) pendingAnswer(message.answer);
    pendingAnswer = null;
    return;
  }
  programMilliseconds = 0;
  try {
    await loading;
    if (!compiled) return;
    if (message.type === 'folder') await runFolder(message.handle);
    else if (message.type === 'files') await runFiles(message.files);
  } catch (error) {
    postMessage({ type: 'fatal', text: `The run failed: ${error.message || error}` });
  }
};
