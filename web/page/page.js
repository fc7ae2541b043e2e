// Kerb Runner's page: builds the game's command line from the start screen and the address,
// starts the program, keeps the top-five table in the browser's storage, shows the game's
// error boxes, and goes back to the start screen when the game ends (or, for the tests,
// sends the run's files to the address given by ?report=).
// Depends on: shell.html (the elements), the program's loader kerbrunner.js (Module, FS,
// ENV, callMain), web/device/ (Module.kerbMessage, Module.kerbAudioStarted).
'use strict';

(function () {
  var TABLE_KEY = 'kerbrunner-highscore';
  // Where the game keeps its table without XDG_DATA_HOME (app/data_location.cpp), in the
  // home the browser program has.
  var TABLE_DIRECTORY = '/home/web_user/.local/share/kerbrunner';
  var TABLE_PATH = TABLE_DIRECTORY + '/highscore.txt';
  var TABLE_DIRECTORY_MODE = 448; // 0700, as the game makes it
  var TABLE_MAX_BYTES = 4096; // the table is 60 bytes; anything much larger is not ours
  var TABLE_POLL_MS = 1000;
  var RUN_DIRECTORY = '/run';
  var SCRIPT_PATH = RUN_DIRECTORY + '/script.txt';
  var TRACE_PATH = RUN_DIRECTORY + '/trace.jsonl';
  var PICTURES_PATH = RUN_DIRECTORY + '/pictures';
  var SCRIPT_MAX_BYTES = 64 * 1024 * 1024;
  var LOG_MAX_CHARS = 4 * 1024 * 1024;
  var NAME_MAX_CHARS = 7;
  var EXIT_ABORTED = 134; // what a shell reports for a program that aborted
  var NO_WEBGL_TEXT = 'This browser cannot show WebGL, which Kerb Runner draws with. ' +
      'Try another browser, or turn on hardware acceleration in this one.';

  var params = new URLSearchParams(window.location.search);
  var demo = params.get('demo') === '1';
  var byId = function (id) { return document.getElementById(id); };
  var nameField = byId('name');
  var startButton = byId('start-button');
  var recordingField = byId('recording');
  var statusLine = byId('status');
  var storageNote = byId('storage-note');
  var soundNote = byId('sound-note');
  var canvas = byId('canvas');

  var ready = false;
  var started = false;
  var ended = false;
  var messageShown = false;
  var storageUsable = true;
  var storedTable = null; // base64 of the bytes last stored (or restored)
  var seenTable = '';     // size and time of the table file last looked at
  var log = [];
  var logChars = 0;

  // ---- What the player sees ------------------------------------------------------------

  function showMessage(caption, text) {
    messageShown = true;
    byId('message-caption').textContent = caption;
    byId('message-text').textContent = text;
    byId('message').hidden = false;
    byId('message-ok').focus();
    if (document.exitPointerLock) document.exitPointerLock();
  }

  byId('message-ok').addEventListener('click', function () {
    byId('message').hidden = true;
    if (ended && !params.has('report')) backToStart();
  });

  function setStatus(text) { statusLine.textContent = text; }

  function noteStorageRefused() {
    storageUsable = false;
    storageNote.textContent = 'This browser does not let the page keep data (a private ' +
        'window?): you can play, but the top-five table is forgotten when the page closes.';
    storageNote.hidden = false;
  }

  function keepLog(text) {
    if (logChars > LOG_MAX_CHARS) return;
    log.push(text);
    logChars += text.length + 1;
  }

  // ---- The top-five table in the browser's storage ---------------------------------------

  function bytesToBase64(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; ++i) text += String.fromCharCode(bytes[i]);
    return btoa(text);
  }

  function base64ToBytes(text) {
    var chars = atob(text);
    var bytes = new Uint8Array(chars.length);
    for (var i = 0; i < chars.length; ++i) bytes[i] = chars.charCodeAt(i);
    return bytes;
  }

  // Before the game starts: the stored table goes where the game will look for it.
  function restoreTable() {
    var stored = null;
    try {
      stored = window.localStorage.getItem(TABLE_KEY);
    } catch (e) {
      noteStorageRefused();
      return;
    }
    if (!stored) return;
    var bytes;
    try {
      bytes = base64ToBytes(stored);
    } catch (e) {
      return; // not ours or damaged: the game starts with an empty table
    }
    if (bytes.length > TABLE_MAX_BYTES) return;
    Module.FS.mkdirTree(TABLE_DIRECTORY, TABLE_DIRECTORY_MODE);
    Module.FS.writeFile(TABLE_PATH, bytes);
    storedTable = stored;
    seenTable = tableStamp();
  }

  function tableStamp() {
    try {
      var stat = Module.FS.stat(TABLE_PATH);
      return stat.size + ':' + stat.mtime.getTime();
    } catch (e) {
      return '';
    }
  }

  // After the game has written its table: the same bytes into the browser's storage.
  function storeTable() {
    if (!storageUsable || !Module.FS) return;
    var stamp = tableStamp();
    if (!stamp || stamp === seenTable) return;
    seenTable = stamp;
    var bytes;
    try {
      bytes = Module.FS.readFile(TABLE_PATH);
    } catch (e) {
      return;
    }
    if (bytes.length > TABLE_MAX_BYTES) return;
    var text = bytesToBase64(bytes);
    if (text === storedTable) return;
    try {
      window.localStorage.setItem(TABLE_KEY, text);
      storedTable = text;
    } catch (e) {
      noteStorageRefused();
    }
  }

  window.addEventListener('pagehide', storeTable);

  // ---- Sound -----------------------------------------------------------------------------

  // Browsers keep audio silent until a click or a key: a context made in the Start click
  // plays at once; otherwise the note asks for a click, which resumes it.
  function makeAudioContext() {
    var AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass || Module.kerbAudioContext) return;
    try {
      Module.kerbAudioContext = new AudioContextClass();
    } catch (e) {
      // The sound device says so and the game plays without sound.
    }
  }

  function resumeSound() {
    var context = Module.kerbAudioContext;
    if (context && context.state === 'suspended' && !ended) context.resume();
  }

  function watchSound(context) {
    var update = function () { soundNote.hidden = context.state !== 'suspended' || ended; };
    context.addEventListener('statechange', update);
    update();
  }

  function stopSound() {
    soundNote.hidden = true;
    var context = Module.kerbAudioContext;
    if (context && context.close) context.close().catch(function () {});
  }

  soundNote.addEventListener('click', resumeSound);
  document.addEventListener('pointerdown', resumeSound, true);
  document.addEventListener('keydown', resumeSound, true);

  // ---- The command line ------------------------------------------------------------------

  function commandLine(name, playsRecording) {
    var argv = ['--windowed', '--data', '/data'];
    // A recording plays under its own name and the demo under "demo", unless one is given.
    if (params.has('name')) argv.push('--name', params.get('name'));
    else if (!playsRecording && !demo) argv.push('--name', name);
    if (params.has('step')) argv.push('--fixed-step', params.get('step'));
    if (playsRecording) argv.push('--script', SCRIPT_PATH);
    if (demo) argv.push('--demo');
    if (params.get('trace') === '1') argv.push('--trace', TRACE_PATH);
    if (params.get('pictures') === '1') argv.push('--pictures', PICTURES_PATH);
    return argv;
  }

  function start(name, script) {
    if (started || !ready) return;
    started = true;
    if (script) Module.FS.writeFile(SCRIPT_PATH, script);
    byId('start').hidden = true;
    byId('stage').hidden = false;
    canvas.focus();
    if (Module.kerbAudioContext) watchSound(Module.kerbAudioContext);
    window.setInterval(storeTable, TABLE_POLL_MS);
    Module.callMain(commandLine(name, !!script));
  }

  byId('start-form').addEventListener('submit', function (event) {
    event.preventDefault();
    makeAudioContext();
    start(nameField.value.slice(0, NAME_MAX_CHARS), null);
  });

  recordingField.addEventListener('change', function () {
    var file = recordingField.files[0];
    if (!file) return;
    if (file.size > SCRIPT_MAX_BYTES) {
      showMessage('Error', 'The recording ' + file.name + ' is too large to be one (' +
          file.size + ' bytes).');
      recordingField.value = '';
      return;
    }
    makeAudioContext();
    file.arrayBuffer().then(function (buffer) {
      start('', new Uint8Array(buffer));
    }, function () {
      showMessage('Error', 'The recording ' + file.name + ' could not be read.');
    });
  });

  // Started by the address: a name, the demo, a recording, or a test run.
  function startFromAddress() {
    if (params.has('script')) {
      setStatus('Fetching the recording\u2026');
      fetch(params.get('script')).then(function (response) {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      }).then(function (buffer) {
        start('', new Uint8Array(buffer));
      }, function (error) {
        showMessage('Error', 'The recording ' + params.get('script') +
            ' could not be fetched: ' + error.message);
        if (params.has('report')) report(EXIT_ABORTED);
      });
      return;
    }
    if (params.has('name') || demo || params.has('report')) start('', null);
  }

  // ---- The end of the game ---------------------------------------------------------------

  function backToStart() {
    // A fresh program for the next game; the name is kept, without starting on its own.
    var name = nameField.value || params.get('name') || '';
    window.location.replace(window.location.pathname +
        (name ? '?last=' + encodeURIComponent(name) : ''));
  }

  function post(url, body) {
    return fetch(url, {method: 'POST', body: body}).catch(function () {});
  }

  function readIfThere(path) {
    try {
      return Module.FS.readFile(path);
    } catch (e) {
      return null;
    }
  }

  // Tests: the trace, the pictures and the output go to the address given, then the status.
  function report(status) {
    var base = params.get('report').replace(/\/+$/, '');
    var sends = [];
    var trace = readIfThere(TRACE_PATH);
    if (trace) sends.push(post(base + '/trace', trace));
    var pictures = [];
    try {
      pictures = Module.FS.readdir(PICTURES_PATH).filter(function (n) {
        return n !== '.' && n !== '..';
      });
    } catch (e) {
      // No pictures asked for, or none taken.
    }
    pictures.forEach(function (name) {
      var bytes = readIfThere(PICTURES_PATH + '/' + name);
      if (bytes) sends.push(post(base + '/pictures/' + encodeURIComponent(name), bytes));
    });
    sends.push(post(base + '/log', log.join('\n')));
    Promise.all(sends).then(function () { post(base + '/done', String(status)); });
  }

  function finish(status) {
    if (ended) return;
    ended = true;
    console.log('kerbrunner: the program ended with status ' + status);
    stopSound();
    storeTable();
    if (document.exitPointerLock) document.exitPointerLock();
    if (params.has('report')) {
      report(status);
      return;
    }
    if (messageShown) return; // the box stays; its OK goes back to the start screen
    if (status !== 0) {
      showMessage('Error', 'The game stopped (exit status ' + status + ').\n\n' +
          log.slice(-8).join('\n'));
      return;
    }
    backToStart();
  }

  // ---- The program -----------------------------------------------------------------------

  var Module = {
    canvas: canvas,
    // The console's name prompt (a script without a name line) reads the end of its input,
    // as the desktop's does from /dev/null, instead of the browser's own prompt box.
    stdin: function () { return null; },
    print: function (text) {
      keepLog(text);
      console.log(text);
    },
    printErr: function (text) {
      keepLog(text);
      console.warn(text);
    },
    setStatus: function (text) {
      if (!ready && text) setStatus(text.replace(/\.\.\./, '\u2026'));
    },
    preRun: [function () {
      // The game refuses to start without a display; in the page, the canvas is one.
      Module.ENV.DISPLAY = 'browser';
      Module.FS.mkdir(RUN_DIRECTORY);
      restoreTable();
    }],
    onRuntimeInitialized: function () {
      ready = true;
      setStatus('');
      startButton.disabled = false;
      recordingField.disabled = false;
      startFromAddress();
    },
    onExit: finish,
    // Every exit passes here, whether the runtime shuts down or not.
    quit: function (status, toThrow) {
      finish(status);
      throw toThrow;
    },
    onAbort: function (what) {
      showMessage('Error', 'The game stopped unexpectedly: ' + what);
      finish(EXIT_ABORTED);
    },
    // The devices' and the window's hooks.
    kerbMessage: showMessage,
    kerbFatal: function (text) {
      showMessage('Kerb Runner cannot start', text || NO_WEBGL_TEXT);
    },
    kerbNoWebGLText: NO_WEBGL_TEXT,
    kerbAudioStarted: function (context) {
      if (started) watchSound(context);
    },
  };
  window.Module = Module;

  // A loader or data file that never arrives, or fails part-way, would leave the start
  // screen waiting for ever.
  window.addEventListener('error', function (event) {
    if (ready || ended) return;
    setStatus('');
    if (params.has('report')) {
      keepLog('The game could not be loaded: ' + (event.message || 'a file is missing'));
      ended = true;
      report(EXIT_ABORTED);
    }
    showMessage('Error', 'The game could not be loaded: ' +
        (event.message || 'a file of the page is missing') +
        '\nReload the page to try again.');
  }, true);

  if (params.has('name')) nameField.value = params.get('name').slice(0, NAME_MAX_CHARS);
  else if (params.has('last')) nameField.value = params.get('last').slice(0, NAME_MAX_CHARS);
})();
