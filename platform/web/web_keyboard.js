// The page's keyboard and mouse wheel beyond the player's keys (keyboard.h):
// every key pressed is told to the program first, before the player's keys
// that web_device.js tells, so that typing a name, Esc, P, the volume keys
// and the wheel do what they do on the desktop.
if (typeof document !== 'undefined') (function () {
  'use strict';
  var BACKSPACE = 8, ENTER = 13, ESCAPE = 27, VOLUME_DOWN = 0x100, VOLUME_UP = 0x101;
  var WHEEL_UP = 0x102, WHEEL_DOWN = 0x103, WHEEL_LEFT = 0x104, WHEEL_RIGHT = 0x105;
  var NAMED = {Backspace: BACKSPACE, Enter: ENTER, Escape: ESCAPE, AudioVolumeDown: VOLUME_DOWN,
               AudioVolumeUp: VOLUME_UP, '=': '+'.charCodeAt(0)};

  function running() { return Module.reedshot && Module.reedshot.framesDrawn > 0 &&
                              typeof Module._reedshot_web_typed === 'function'; }

  function codeOf(event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return 0;
    if (event.key in NAMED) return NAMED[event.key];
    if (event.key.length !== 1) return 0;
    var c = event.key.toLowerCase();
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c === ' ' || c === '-' || c === '+')
      return c.charCodeAt(0);
    return 0;
  }

  // Capturing: heard before web_device.js's own listener on the window.
  // Every press is told, 0 for a key that means nothing here, so that the
  // program knows which player's key that follows is this one's.
  window.addEventListener('keydown', function (event) {
    if (event.repeat || !running()) return;
    var code = codeOf(event);
    if (code && event.key !== 'Enter') event.preventDefault();
    Module._reedshot_web_typed(code);
  }, true);

  // A notch of the wheel, or 100 pixels of a smooth one.
  var canvas = Module.canvas || document.getElementById('screen');
  var pending = {x: 0, y: 0};
  canvas.addEventListener('wheel', function (event) {
    event.preventDefault();
    if (!running()) return;
    var unit = event.deltaMode === 0 ? 100 : 1;
    pending.x += event.deltaX / unit;
    pending.y += event.deltaY / unit;
    for (; pending.y >= 1; pending.y -= 1) Module._reedshot_web_typed(WHEEL_DOWN);
    for (; pending.y <= -1; pending.y += 1) Module._reedshot_web_typed(WHEEL_UP);
    for (; pending.x >= 1; pending.x -= 1) Module._reedshot_web_typed(WHEEL_RIGHT);
    for (; pending.x <= -1; pending.x += 1) Module._reedshot_web_typed(WHEEL_LEFT);
  }, {passive: false});
})();
