// The page's side of the browser device (web_device.cpp and
// web_wave_device.cpp), on the page's own thread: the canvas, the player's
// pointer, touches, keys and game controllers, Web Audio, and the data
// folder kept in the browser's IndexedDB. The program itself runs on a
// worker thread.
if (typeof document !== 'undefined') (function () {
  'use strict';
  var VIEW_WIDTH = 320, VIEW_HEIGHT = 240;
  var canvas = Module.canvas || document.getElementById('screen');
  var context = canvas.getContext('2d', {alpha: false});
  var image = null;
  var turned = false;
  var ready = false;

  // What the page has done, for the player's page and its tests.
  Module.reedshot = {framesDrawn: 0, firstFrameMs: null, audio: 'waiting', audibleBlocks: 0,
                     saves: 0, message: null, ended: false, firstPictureMs: null};
  if (!Module.arguments) Module.arguments = ['--data-dir', '/data'];

  // The data folder lives in memory while the game runs and is kept in
  // IndexedDB, one record per file ({timestamp, mode, contents}, keyed by
  // its path). It is read before the program starts; it is written whole,
  // in one transaction begun at once, after every commit of the program and
  // whenever the page is hidden. Only the tab that holds the game's lock
  // (below) ever writes it.
  var DATA = '/data', DATABASE = '/data', DATABASE_VERSION = 21, FILES = 'FILE_DATA';
  var database = null, databaseError = null;
  var moved = false;      // the game went to another tab: this one writes no more
  var refusalTold = false;

  function openDatabase(done) {
    var request;
    try {
      request = indexedDB.open(DATABASE, DATABASE_VERSION);
    } catch (e) {
      done(e);
      return;
    }
    request.onupgradeneeded = function () {
      var files = request.result.objectStoreNames.contains(FILES) ?
          request.transaction.objectStore(FILES) : request.result.createObjectStore(FILES);
      if (!files.indexNames.contains('timestamp'))
        files.createIndex('timestamp', 'timestamp', {unique: false});
    };
    request.onsuccess = function () { done(null, request.result); };
    request.onerror = function (event) {
      event.preventDefault();
      done(request.error);
    };
  }

  // The kept files, read as soon as the page holds the game (while the
  // program's code still compiles), are written into the data folder just
  // before the program starts.
  function loadFiles(done) {
    var transaction = database.transaction([FILES], 'readonly');
    var files = transaction.objectStore(FILES);
    var keys = files.getAllKeys(), entries = files.getAll();
    transaction.oncomplete = function () {
      done(null, keys.result.map(function (path, i) { return [path, entries.result[i]]; }));
    };
    transaction.onabort = function () { done(transaction.error, []); };
  }
  var keptFiles = null, filesWanted = null;
  function filesRead(files) {
    keptFiles = files;
    if (filesWanted) filesWanted();
  }
  function writeKeptFiles() {
    keptFiles.forEach(function (file) {
      var path = file[0], entry = file[1];
      if (typeof path !== 'string' || path.indexOf(DATA + '/') !== 0 || !entry) return;
      if (FS.isDir(entry.mode)) FS.mkdirTree(path);
      else if (entry.contents) FS.writeFile(path, entry.contents);
    });
    removeRunDependency('reedshot-data');
  }

  // Every file and folder under the data folder, read now.
  function localFiles() {
    var found = [], folders = [DATA];
    while (folders.length) {
      var folder = folders.pop();
      FS.readdir(folder).forEach(function (name) {
        // A file still being written beside its name is not kept.
        if (name === '.' || name === '..' || /^\..*\.tmp$/.test(name)) return;
        var path = folder + '/' + name, stat = FS.stat(path);
        var entry = {timestamp: new Date(stat.mtime), mode: stat.mode};
        if (FS.isDir(stat.mode)) folders.push(path);
        else entry.contents = FS.readFile(path);
        found.push([path, entry]);
      });
    }
    return found;
  }

  // Writes the data folder as it is now, in one transaction that replaces
  // what was kept. The file system belongs to this thread, so no write of
  // the program's falls between the files read; a commit under way leaves
  // its journal beside the file, and SQLite finishes or undoes it on the
  // next start. Returns the transaction, or null.
  var holding = false;  // a hidden-page save is under way: one store at its end
  function store() {
    if (moved || holding) return null;
    if (!database) {
      if (databaseError) refused(databaseError);
      return null;
    }
    var transaction;
    try {
      transaction = database.transaction([FILES], 'readwrite', {durability: 'strict'});
      var files = transaction.objectStore(FILES);
      files.clear();
      localFiles().forEach(function (file) { files.put(file[1], file[0]); });
      if (transaction.commit) transaction.commit();
    } catch (e) {
      if (transaction) transaction.abort();
      refused(e);
      return null;
    }
    transaction.oncomplete = function () {
      Module.reedshot.saves++;
      refusalTold = false;
    };
    transaction.onabort = function () { refused(transaction.error); };
    return transaction;
  }
  Module.reedshotSaveData = store;

  // The browser refused to keep the data (its storage is full, or the
  // player does not allow it): the game tells the player once, until a
  // later write is kept again.
  function refused(error) {
    console.warn('reedshot: cannot save data', error);
    if (refusalTold || !ready || Module.reedshot.ended) return;
    refusalTold = true;
    Module._reedshot_web_store_refused();
  }

  // The page is hidden and may be discarded at any moment: the program
  // writes what its teardown would write, and the data folder is stored
  // at once, in this call, in one transaction that holds all of it. The
  // program's file work comes to this thread, which serves it while it
  // waits (a second at most: the game-over picture holds the program that
  // long).
  function saveNow() {
    if (!ready || moved) return null;
    if (!Module.reedshot.ended && Module.reedshot.message === null) {
      var before = Module._reedshot_web_request_save();
      var until = performance.now() + 1500;
      holding = true;
      try {
        while (Module._reedshot_web_saves_done() === before && performance.now() < until)
          _emscripten_main_thread_process_queued_calls();
      } finally {
        holding = false;
      }
    }
    return store();
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState !== 'hidden' || !ready) return;
    Module._reedshot_web_away();
    saveNow();
  });
  window.addEventListener('pagehide', saveNow);
  document.addEventListener('freeze', saveNow);
  // Another window or tab took the player's attention.
  window.addEventListener('blur', function () { if (ready) Module._reedshot_web_away(); });

  // A box of the page's own: a line of text and one button.
  function panel(style, text, label, action) {
    var box = document.createElement('div');
    box.style.cssText = style + ';font:16px sans-serif;text-align:center';
    var line = document.createElement('p');
    line.textContent = text;
    var button = document.createElement('button');
    button.textContent = label;
    button.style.cssText = 'font:16px sans-serif;padding:8px 20px';
    button.addEventListener('click', action);
    box.append(line, button);
    document.body.appendChild(box);
    return box;
  }

  // A notice over the whole page; null takes it away.
  var notice = null;
  function showNotice(text, label, action) {
    if (notice) notice.remove();
    notice = null;
    if (text === null) return;
    notice = panel('position:fixed;inset:0;z-index:10;display:flex;flex-direction:column;' +
                   'align-items:center;justify-content:center;gap:16px;padding:24px;' +
                   'background:#000;color:#ddd', text, label, action);
    notice.id = 'reedshot-notice';
  }

  // One game per browser profile, as one program per desktop: the tab that
  // runs it holds a lock. Another tab waits with a notice and can take the
  // game over: the running tab saves as when it is hidden, ends and says
  // where the game went, and this tab starts with what it saved. When the
  // running tab is closed the waiting one starts by itself.
  var LOCK = 'reedshot-game', TAKE = 'reedshot-take';
  var channel = typeof BroadcastChannel !== 'undefined' ? new BroadcastChannel(LOCK) : null;
  var releaseLock = null, takeWanted = false;

  function takeOver() {
    showNotice('Moving Reedshot here\u2026', 'Play here', function () {});
    if (channel) channel.postMessage('take');
  }

  // "Play here" first says what becomes of the game in the other tab, and
  // takes it only when asked again; Cancel goes back to `back`.
  function askFirst(back, take) {
    return function () {
      showNotice('Playing here ends the game in the other tab or window. Its scores and ' +
                 'settings are kept.', 'Play here', take);
      var cancel = document.createElement('button');
      cancel.textContent = 'Cancel';
      cancel.style.cssText = 'font:16px sans-serif;padding:8px 20px';
      cancel.addEventListener('click', back);
      notice.appendChild(cancel);
    };
  }

  function handOver() {
    takeWanted = false;
    var transaction = saveNow();
    moved = true;
    var end = function () {
      Module.reedshot.ended = true;
      Module._reedshot_web_end();
      var movedNotice = function () {
        showNotice('Reedshot has moved to another tab or window.', 'Play here',
                   askFirst(movedNotice, function () {
                     sessionStorage.setItem(TAKE, '1');
                     location.reload();
                   }));
      };
      movedNotice();
      releaseLock();
      releaseLock = null;
    };
    if (!transaction) {
      end();
      return;
    }
    transaction.addEventListener('complete', end);
    transaction.addEventListener('abort', end);
  }
  if (channel) channel.onmessage = function (event) {
    if (event.data !== 'take' || !releaseLock || moved) return;
    if (ready) handOver();
    else takeWanted = true;
  };

  function start() {
    openDatabase(function (error, opened) {
      if (error) {
        console.warn('reedshot: cannot read saved data', error);
        databaseError = error;
        filesRead([]);
        return;
      }
      database = opened;
      loadFiles(function (error, files) {
        if (error) console.warn('reedshot: cannot read saved data', error);
        filesRead(files);
      });
    });
  }

  Module.preRun = (Module.preRun || []).concat(function () {
    FS.mkdir(DATA);
    addRunDependency('reedshot-data');
    if (keptFiles) writeKeptFiles();
    else filesWanted = writeKeptFiles;
  });

  // The game's lock, asked for as the page starts; the kept files are read
  // once it is held.
  function holdGame() {
    if (!navigator.locks) {
      start();
      return;
    }
    var hold = function () {
      showNotice(null);
      return new Promise(function (resolve) {
        releaseLock = resolve;
        start();
      });
    };
    // "Play here" in a tab the game left reloads it to take the game back.
    var take = sessionStorage.getItem(TAKE) !== null;
    sessionStorage.removeItem(TAKE);
    navigator.locks.request(LOCK, {ifAvailable: true}, function (lock) {
      if (lock) return hold();
      var waiting = function () {
        showNotice('Reedshot is open in another tab or window.', 'Play here',
                   askFirst(waiting, takeOver));
      };
      waiting();
      navigator.locks.request(LOCK, hold);
      if (take) takeOver();
      return null;
    });
  }
  holdGame();

  // A message box: shown over the game, which waits for its OK (the
  // button, Enter or Space).
  Module.reedshotMessage = function (text) {
    console.warn(text);
    Module.reedshot.message = text;
    var box = null;
    var answer = function (event) {
      if (event.type === 'keydown' && event.key !== 'Enter' && event.key !== ' ') return;
      event.preventDefault();
      event.stopImmediatePropagation();
      window.removeEventListener('keydown', answer, true);
      box.remove();
      Module.reedshot.message = null;
      Module._reedshot_web_answer();
    };
    box = panel('position:fixed;left:50%;top:50%;transform:translate(-50%,-50%);z-index:5;' +
                'max-width:80%;padding:16px;background:#eee;color:#000;border:2px solid #888',
                text, 'OK', answer);
    box.setAttribute('role', 'alertdialog');
    window.addEventListener('keydown', answer, true);
    box.querySelector('button').focus();
  };
  Module.onRuntimeInitialized = function () {
    ready = true;
    if (takeWanted) handOver();
  };
  // The run ended (Exit in the menu, or stopped): nothing waits for it any
  // more. A tab the game moved away from says where it went instead of
  // the page's own note.
  var pageExit = Module.onExit, pageAbort = Module.onAbort;
  Module.onExit = function (code) {
    Module.reedshot.ended = true;
    // A waiting tab may start the game now.
    if (releaseLock) releaseLock();
    releaseLock = null;
    if (!moved && pageExit) pageExit(code);
  };
  Module.onAbort = function (what) {
    Module.reedshot.ended = true;
    if (pageAbort) pageAbort(what);
  };

  // The picture: the largest that fits the window (less the room the
  // on-screen buttons take), shown as the frame buffer unturned when the
  // window stands upright, as the handheld held upright shows it.
  // A whole number of device pixels per game pixel when
  // that fills at least 90 % of the width or height the window offers, so
  // that every pixel is an equal square. Otherwise (a phone held sideways)
  // "sharp bilinear": the frame is enlarged by the whole number just above
  // the fitting size, each game pixel a square, and the browser shrinks
  // that smoothly by less than one step, blending only the edges between
  // game pixels. Below one device pixel per game pixel it is shrunk whole.
  var frame = document.createElement('canvas');
  frame.width = VIEW_WIDTH;
  frame.height = VIEW_HEIGHT;
  var frameContext = frame.getContext('2d', {alpha: false});
  var cssScale = 1;  // CSS pixels per game pixel
  var enlarged = 1;  // canvas pixels per game pixel
  var resolution = null, layoutRatio = 0;
  function layout() {
    var ratio = layoutRatio = window.devicePixelRatio || 1;
    var pageWidth = window.innerWidth, pageHeight = window.innerHeight;
    turned = pageHeight > pageWidth;
    var area = {left: 0, top: 0, width: pageWidth, height: pageHeight};
    if (Module.reedshotPictureArea)
      area = Module.reedshotPictureArea(pageWidth, pageHeight, turned ? frame.height : frame.width,
                                        turned ? frame.width : frame.height, turned);
    var width = (turned ? area.height : area.width) * ratio;
    var height = (turned ? area.width : area.height) * ratio;
    var fill = Math.min(width / frame.width, height / frame.height);
    var whole = Math.floor(fill);
    var crisp = whole >= 1 && whole >= 0.9 * fill;
    var scale = crisp ? whole : fill;  // device pixels per game pixel
    enlarged = crisp || fill < 1 ? 1 : Math.ceil(fill);
    cssScale = scale / ratio;
    var cssWidth = frame.width * cssScale, cssHeight = frame.height * cssScale;
    // Centred on whole device pixels; a turned canvas turns about its centre.
    var shownWidth = turned ? cssHeight : cssWidth, shownHeight = turned ? cssWidth : cssHeight;
    var left = Math.round((area.left + (area.width - shownWidth) / 2) * ratio) / ratio;
    var top = Math.round((area.top + (area.height - shownHeight) / 2) * ratio) / ratio;
    canvas.style.width = cssWidth + 'px';
    canvas.style.height = cssHeight + 'px';
    canvas.style.left = (left + (shownWidth - cssWidth) / 2) + 'px';
    canvas.style.top = (top + (shownHeight - cssHeight) / 2) + 'px';
    canvas.style.transform = turned ? 'rotate(-90deg)' : 'none';
    canvas.style.imageRendering = crisp ? 'pixelated' : 'auto';
    show();
    if (Module.reedshotPictureShown)
      Module.reedshotPictureShown({left: left, top: top, width: shownWidth, height: shownHeight});
    // A move to a screen of another pixel density changes no size.
    if (resolution) resolution.removeEventListener('change', layout);
    resolution = window.matchMedia('(resolution: ' + ratio + 'dppx)');
    resolution.addEventListener('change', layout);
  }
  window.addEventListener('resize', layout);
  Module.reedshotLayout = layout;
  window.addEventListener('orientationchange', layout);

  // The last frame on the canvas, enlarged pixel by pixel, with the
  // controller's pointer over it.
  function show() {
    if (canvas.width !== frame.width * enlarged || canvas.height !== frame.height * enlarged) {
      canvas.width = frame.width * enlarged;
      canvas.height = frame.height * enlarged;
    }
    context.imageSmoothingEnabled = false;
    context.drawImage(frame, 0, 0, canvas.width, canvas.height);
    drawPadPointer();
  }
  layout();

  function draw() {
    requestAnimationFrame(draw);
    // Not every browser tells a change of density to the media query.
    if ((window.devicePixelRatio || 1) !== layoutRatio) layout();
    if (!ready) return;
    readGamepads();
    var flag = Module._reedshot_web_frame_ready() >> 2;
    if (Atomics.load(HEAP32, flag) === 0) {
      // The same frame, drawn again where the controller's pointer moved.
      if (image && padPointer() !== padPointerDrawn) show();
      return;
    }
    var width = Module._reedshot_web_frame_width();
    var height = VIEW_WIDTH * VIEW_HEIGHT / width;
    var resized = frame.width !== width || frame.height !== height;
    if (resized || !image) {
      frame.width = width;
      frame.height = height;
      image = frameContext.createImageData(width, height);
    }
    var pixels = Module._reedshot_web_frame();
    image.data.set(HEAPU8.subarray(pixels, pixels + width * height * 4));
    frameContext.putImageData(image, 0, 0);
    Atomics.store(HEAP32, flag, 0);
    if (resized) layout();
    else show();
    if (Module.reedshot.framesDrawn++ === 0) Module.reedshot.firstFrameMs = performance.now();
    // The first frame that shows anything: the page's loading gives way to it.
    if (Module.reedshot.firstPictureMs === null && showsAnything(image.data))
      Module.reedshot.firstPictureMs = performance.now();
  }
  requestAnimationFrame(draw);

  function showsAnything(rgba) {
    for (var i = 0; i < rgba.length; i += 4)
      if (rgba[i] || rgba[i + 1] || rgba[i + 2]) return true;
    return false;
  }

  // A point of the page as a point of the view the player sees.
  function viewPoint(clientX, clientY) {
    var box = canvas.getBoundingClientRect();
    var dx = clientX - (box.left + box.width / 2);
    var dy = clientY - (box.top + box.height / 2);
    if (turned) { var t = dx; dx = -dy; dy = t; }
    return [Math.floor(frame.width / 2 + dx / cssScale),
            Math.floor(frame.height / 2 + dy / cssScale)];
  }
  // The pointer is the mouse (MOUSE) or a touch's identifier: the program
  // decides which one is the stylus.
  var PEN_DOWN = 0, PEN_MOVE = 1, PEN_UP = 2, MOUSE = -1;
  function pen(kind, pointer, clientX, clientY) {
    if (!ready) return;
    var p = viewPoint(clientX, clientY);
    Module._reedshot_web_pen(kind, pointer, p[0], p[1]);
  }
  // Player keys (PlayerKey in device_input.h).
  var KEYS = {ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3, Enter: 4, NumpadEnter: 4,
              Digit1: 5, Digit2: 6, Digit3: 7, Space: 7, Digit4: 8};
  var APP3 = 7;
  function key(code, down) { if (ready) Module._reedshot_web_key(code, down ? 1 : 0); }
  Module.reedshotKey = key;
  Module.reedshotStartAudio = startAudio;

  var mouseDown = false;
  canvas.addEventListener('mousedown', function (event) {
    startAudio();
    if (event.button === 0) {
      mouseDown = true;
      pen(PEN_DOWN, MOUSE, event.clientX, event.clientY);
    } else if (event.button === 2) {
      key(APP3, true);
    }
    event.preventDefault();
  });
  window.addEventListener('mousemove', function (event) {
    if (mouseDown) pen(PEN_MOVE, MOUSE, event.clientX, event.clientY);
    // The mouse is used: the controller's pointer goes.
    else if (ready && padPointer() !== 0) Module._reedshot_web_mouse_moved();
  });
  window.addEventListener('mouseup', function (event) {
    if (event.button === 0 && mouseDown) {
      mouseDown = false;
      pen(PEN_UP, MOUSE, event.clientX, event.clientY);
    } else if (event.button === 2) {
      key(APP3, false);
    }
  });
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  // One finger is the stylus. The default action is cancelled, or the
  // browser would make a mouse click of the touch as well.
  var touchId = null;
  function touchOf(event) {
    for (var i = 0; i < event.changedTouches.length; i++)
      if (event.changedTouches[i].identifier === touchId) return event.changedTouches[i];
    return null;
  }
  canvas.addEventListener('touchstart', function (event) {
    event.preventDefault();
    startAudio();
    if (touchId !== null) return;
    var touch = event.changedTouches[0];
    touchId = touch.identifier;
    pen(PEN_DOWN, touch.identifier, touch.clientX, touch.clientY);
  }, {passive: false});
  canvas.addEventListener('touchmove', function (event) {
    event.preventDefault();
    var touch = touchOf(event);
    if (touch) pen(PEN_MOVE, touch.identifier, touch.clientX, touch.clientY);
  }, {passive: false});
  function touchEnd(event) {
    event.preventDefault();
    var touch = touchOf(event);
    if (!touch) return;
    touchId = null;
    pen(PEN_UP, touch.identifier, touch.clientX, touch.clientY);
  }
  canvas.addEventListener('touchend', touchEnd, {passive: false});
  canvas.addEventListener('touchcancel', touchEnd, {passive: false});

  window.addEventListener('keydown', function (event) {
    startAudio();
    if (!(event.code in KEYS)) return;
    event.preventDefault();
    if (!event.repeat) key(KEYS[event.code], true);
  });
  window.addEventListener('keyup', function (event) {
    if (!(event.code in KEYS)) return;
    event.preventDefault();
    key(KEYS[event.code], false);
  });

  // Game controllers, in the Gamepad API's standard layout, read once a
  // frame: the buttons held and the sticks go to the program when they
  // change (GamepadButton in gamepad.h: standard button index, bit).
  var PAD_BUTTONS = [[0, 1], [2, 2], [5, 4], [9, 8], [8, 16], [12, 32], [13, 64], [14, 128],
                     [15, 256]];
  var padSent = '', padCount = 0;
  function readGamepads() {
    var pads = [];
    try {
      if (navigator.getGamepads) pads = navigator.getGamepads();
    } catch (e) {
      return;  // not allowed on this page: no controllers
    }
    var held = 0, sticks = [0, 0, 0, 0], count = 0;
    for (var i = 0; i < pads.length; i++) {
      var pad = pads[i];
      if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
      count++;
      PAD_BUTTONS.forEach(function (b) {
        if (pad.buttons[b[0]] && pad.buttons[b[0]].pressed) held |= b[1];
      });
      for (var a = 0; a < 4; a++)
        sticks[a] = Math.max(-1, Math.min(1, sticks[a] + (pad.axes[a] || 0)));
    }
    // One went away: everything is let go, and a game pauses.
    if (count < padCount) {
      Module._reedshot_web_pad_gone();
      padSent = '';
    }
    padCount = count;
    if (count === 0) return;
    sticks = sticks.map(function (v) { return Math.round(v * 32767); });
    var sent = held + ' ' + sticks.join(' ');
    if (sent === padSent) return;
    padSent = sent;
    Module._reedshot_web_pad(held, sticks[0], sticks[1], sticks[2], sticks[3]);
  }

  // The pointer the controller moves, over the frame: a plus sign, white
  // with a black edge (kPointerBars in gamepad.h), its hot spot the pixel
  // the pen goes down on.
  var POINTER_BARS = [[-5, -1, 11, 3, '#000'], [-1, -5, 3, 11, '#000'], [-4, 0, 9, 1, '#fff'],
                      [0, -4, 1, 9, '#fff']];
  var padPointerDrawn = 0;
  function padPointer() { return Atomics.load(HEAP32, Module._reedshot_web_pad_pointer() >> 2); }
  function drawPadPointer() {
    if (!ready) return;
    var p = padPointerDrawn = padPointer();
    Module.reedshot.pointer = p ? {x: p & 0x7fff, y: (p >> 15) & 0x7fff} : null;
    if (!p) return;
    POINTER_BARS.forEach(function (bar) {
      context.fillStyle = bar[4];
      context.fillRect(((p & 0x7fff) + bar[0]) * enlarged, (((p >> 15) & 0x7fff) + bar[1]) * enlarged,
                       bar[2] * enlarged, bar[3] * enlarged);
    });
  }

  // The run's description (one line of JSON), as the main thread gives it.
  Module.reedshotState = function () {
    return new Promise(function (resolve) {
      var before = Module._reedshot_web_request_state();
      (function poll() {
        if (Module._reedshot_web_state_answers() === before) { setTimeout(poll, 5); return; }
        var size = 1 << 16, buffer = Module._malloc(size);
        Module._reedshot_web_state(buffer, size);
        var text = UTF8ToString(buffer);
        Module._free(buffer);
        resolve(JSON.parse(text));
      })();
    });
  };

  // Sound. Until the first gesture lets it start, the queue is taken in
  // real time and dropped.
  var audioRate = 0, audioChannels = 0, audioBuffer = 0, audioBytes = 0;
  var drainTimer = null, drainedAt = 0, audioContext = null;
  function take(bytes) {
    if (bytes > audioBytes) {
      if (audioBuffer) Module._free(audioBuffer);
      audioBytes = bytes;
      audioBuffer = Module._malloc(bytes);
    }
    Module._reedshot_web_audio_take(audioBuffer, bytes);
    return HEAPU8.subarray(audioBuffer, audioBuffer + bytes);
  }
  Module.reedshotAudioOpen = function (rate, channels) {
    audioRate = rate;
    audioChannels = channels;
    if (audioContext) return;
    drainedAt = performance.now();
    drainTimer = setInterval(function () {
      var now = performance.now();
      var frames = Math.floor((now - drainedAt) * audioRate / 1000);
      drainedAt += frames * 1000 / audioRate;
      if (frames > 0) take(frames * audioChannels);
    }, 20);
  };
  function startAudio() {
    if (audioContext || !audioRate || !ready) return;
    var AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass) return;
    try {
      audioContext = new AudioContextClass({sampleRate: audioRate});
    } catch (e) {
      audioContext = new AudioContextClass();
    }
    // The queue is drained in real time until the worklet takes it over.
    var context = audioContext;
    Module.reedshotWorkletSound(context, audioRate, audioChannels, take, function (audible) {
      if (drainTimer !== null) clearInterval(drainTimer);
      drainTimer = null;
      if (audible) Module.reedshot.audibleBlocks++;
      Module.reedshot.audio = 'playing';
    }).catch(function (error) { console.warn('reedshot: no sound', error); });
    context.resume();
    Module.reedshot.audio = 'started';
  }
})();
