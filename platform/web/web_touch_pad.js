// The handheld's own buttons on a touch screen: the direction pad with the
// action button at its centre, and hardware keys 1 to 4. They appear after
// the page's first touch (a page used with the mouse alone never shows
// them) and stand beside the picture, in the bars a sideways phone leaves
// left and right, or in a strip under the picture (an upright phone, a
// square window); where the bars are too narrow the picture is made
// smaller to leave room, so nothing covers it. A button posts what the
// device's key posts (web_device.js); the fingers on the buttons are never
// the stylus, so one thumb scrolls while another finger shoots.
if (typeof document !== 'undefined') (function () {
  'use strict';
  var BAR = 150;      // CSS pixels a bar needs for the buttons (a pad arm >= 44)
  var LARGEST = 192;  // the largest square a group of buttons takes
  var NOTE = 64;      // CSS pixels under the picture for the closing line
  var shown = false;
  var turned = false;  // the picture stands upright: the pad turns with it
  var arrangement = 'sides';

  // Player keys (PlayerKey in device_input.h).
  var LEFT = 0, RIGHT = 1, UP = 2, DOWN = 3, ACTION = 4, APP1 = 5, APP2 = 6, APP3 = 7, APP4 = 8;
  // The direction pad's arrows as the player sees them, as the keys the
  // device's pad posts: sideways the view's own directions; upright the
  // picture is the frame buffer unturned, whose up is the view's right.
  function arrowKey(direction) {
    var sideways = {left: LEFT, right: RIGHT, up: UP, down: DOWN};
    var upright = {left: UP, right: DOWN, up: RIGHT, down: LEFT};
    return (turned ? upright : sideways)[direction];
  }

  var SVG = 'http://www.w3.org/2000/svg';
  function svgElement(name, attributes, parent) {
    var element = document.createElementNS(SVG, name);
    for (var a in attributes) element.setAttribute(a, attributes[a]);
    if (parent) parent.appendChild(element);
    return element;
  }

  // The look of the game's pictures: flat colours, a soft top-lit gradient
  // and a dark brown outline, with a drop shadow the face sinks onto when
  // it is pressed.
  var OUTLINE = '#2b1d12';
  var styles = document.createElement('style');
  styles.textContent =
      '.reedshot-button{position:fixed;z-index:3;touch-action:none;overflow:visible}' +
      '.reedshot-button .face{transition:transform 40ms}' +
      '.reedshot-button .pressed{display:none}' +
      '.reedshot-button[data-held] .face{transform:translate(0,3px)}' +
      '.reedshot-button[data-held] .shade{display:none}' +
      '.reedshot-button[data-held] .pressed,#reedshot-pad [data-held] .pressed{display:inline}';
  document.head.appendChild(styles);

  function gradients(svg, id, top, bottom) {
    var defs = svgElement('defs', {}, svg);
    var gradient = svgElement('linearGradient', {id: id, x1: 0, y1: 0, x2: 0, y2: 1}, defs);
    svgElement('stop', {offset: 0, 'stop-color': top}, gradient);
    svgElement('stop', {offset: 1, 'stop-color': bottom}, gradient);
    return 'url(#' + id + ')';
  }

  // Hardware key n: a round cream key with its number; key 3, which
  // reloads, red as the shells.
  function drawKey(n) {
    var svg = svgElement('svg', {viewBox: '-50 -50 100 104', 'class': 'reedshot-button'});
    var fill = n === 3 ? gradients(svg, 'reedshot-key-face' + n, '#e8574a', '#a8271f')
                       : gradients(svg, 'reedshot-key-face' + n, '#fbe7a1', '#e0b44a');
    svgElement('circle', {'class': 'shade', cx: 0, cy: 5, r: 44, fill: OUTLINE}, svg);
    var face = svgElement('g', {'class': 'face'}, svg);
    svgElement('circle', {cx: 0, cy: 0, r: 44, fill: fill, stroke: OUTLINE, 'stroke-width': 5},
               face);
    svgElement('path', {d: 'M-28 -18 A34 34 0 0 1 18 -30', fill: 'none', stroke: '#fff',
                        'stroke-opacity': 0.55, 'stroke-width': 6, 'stroke-linecap': 'round'},
               face);
    svgElement('circle', {'class': 'pressed', cx: 0, cy: 0, r: 41, fill: OUTLINE,
                          'fill-opacity': 0.3}, face);
    var label = svgElement('text', {x: 0, y: 16, 'text-anchor': 'middle',
                                    'font-family': 'sans-serif', 'font-weight': 'bold',
                                    'font-size': 46, fill: n === 3 ? '#fff4d8' : OUTLINE},
                           face);
    label.textContent = String(n);
    return svg;
  }

  // The direction pad: a wooden cross with an arrow on each arm and the
  // round action button at its centre. Each part shows its own press.
  function drawPad() {
    var svg = svgElement('svg', {viewBox: '-50 -50 100 104', 'class': 'reedshot-button',
                                 id: 'reedshot-pad'});
    var wood = gradients(svg, 'reedshot-wood', '#b07a43', '#6e4521');
    var brass = gradients(svg, 'reedshot-brass', '#ffd866', '#c98e1b');
    var cross = 'M-16 -48 H16 V-16 H48 V16 H16 V48 H-16 V16 H-48 V-16 H-16 Z';
    svgElement('path', {'class': 'shade', d: cross, transform: 'translate(0 5)', fill: OUTLINE},
               svg);
    svgElement('path', {d: cross, fill: wood, stroke: OUTLINE, 'stroke-width': 4,
                        'stroke-linejoin': 'round'}, svg);
    var arrows = {up: 'M0 -42 L11 -26 H-11 Z', down: 'M0 42 L11 26 H-11 Z',
                  left: 'M-42 0 L-26 -11 V11 Z', right: 'M42 0 L26 -11 V11 Z'};
    var arms = {up: 'M-16 -48 H16 V-16 H-16 Z', down: 'M-16 16 H16 V48 H-16 Z',
                left: 'M-48 -16 H-16 V16 H-48 Z', right: 'M16 -16 H48 V16 H16 Z'};
    for (var direction in arrows) {
      var part = svgElement('g', {'data-part': direction}, svg);
      svgElement('path', {'class': 'pressed', d: arms[direction], fill: OUTLINE,
                          'fill-opacity': 0.55}, part);
      svgElement('path', {d: arrows[direction], fill: '#fbe7a1', stroke: OUTLINE,
                          'stroke-width': 2.5, 'stroke-linejoin': 'round'}, part);
    }
    var action = svgElement('g', {'data-part': 'action'}, svg);
    svgElement('circle', {cx: 0, cy: 0, r: 13, fill: brass, stroke: OUTLINE,
                          'stroke-width': 3.5}, action);
    svgElement('circle', {'class': 'pressed', cx: 0, cy: 0, r: 11, fill: OUTLINE,
                          'fill-opacity': 0.45}, action);
    return svg;
  }

  // Each button's part held by how many fingers; a part's key goes down
  // with its first finger and up with its last.
  var parts = {};  // name: {key: function, count, element}
  var fingers = {};  // touch identifier: {part name}
  var pad = null, keys = [];

  function press(name, down) {
    var part = parts[name];
    part.count += down ? 1 : -1;
    if (part.count === (down ? 1 : 0)) {
      if (down) part.element.setAttribute('data-held', '');
      else part.element.removeAttribute('data-held');
      if (Module.reedshotKey) Module.reedshotKey(part.key(), down);
    }
  }

  // The pad's part under a point of the page: the action button within
  // its ring, otherwise the arm in the point's direction from the centre,
  // however far the thumb has slid.
  function padPart(clientX, clientY) {
    var box = pad.getBoundingClientRect();
    var dx = clientX - (box.left + box.width / 2), dy = clientY - (box.top + box.height * 0.48);
    if (Math.hypot(dx, dy) < box.width * 0.15) return 'action';
    if (Math.abs(dx) > Math.abs(dy)) return dx < 0 ? 'left' : 'right';
    return dy < 0 ? 'up' : 'down';
  }

  function touchStart(event, name) {
    event.preventDefault();
    if (Module.reedshotStartAudio) Module.reedshotStartAudio();
    for (var i = 0; i < event.changedTouches.length; i++) {
      var touch = event.changedTouches[i];
      var part = name || padPart(touch.clientX, touch.clientY);
      fingers[touch.identifier] = part;
      press(part, true);
    }
  }
  function touchMove(event) {
    event.preventDefault();
    for (var i = 0; i < event.changedTouches.length; i++) {
      var touch = event.changedTouches[i], held = fingers[touch.identifier];
      if (held === undefined || !(held in arrowOrAction)) continue;
      var part = padPart(touch.clientX, touch.clientY);
      if (part === held) continue;
      press(held, false);
      fingers[touch.identifier] = part;
      press(part, true);
    }
  }
  function touchEnd(event) {
    event.preventDefault();
    for (var i = 0; i < event.changedTouches.length; i++) {
      var touch = event.changedTouches[i], held = fingers[touch.identifier];
      if (held === undefined) continue;
      delete fingers[touch.identifier];
      press(held, false);
    }
  }
  var arrowOrAction = {up: 1, down: 1, left: 1, right: 1, action: 1};

  // Every finger lifted at once: the picture turned under them.
  function letGo() {
    for (var id in fingers) press(fingers[id], false);
    fingers = {};
  }

  function listen(element, name) {
    element.addEventListener('touchstart', function (e) { touchStart(e, name); },
                             {passive: false});
    element.addEventListener('touchmove', touchMove, {passive: false});
    element.addEventListener('touchend', touchEnd, {passive: false});
    element.addEventListener('touchcancel', touchEnd, {passive: false});
    element.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  }

  function hide() {
    letGo();
    shown = false;
    pad.remove();
    keys.forEach(function (key) { key.remove(); });
  }

  function create() {
    keys = [];
    pad = drawPad();
    ['up', 'down', 'left', 'right'].forEach(function (direction) {
      parts[direction] = {key: function () { return arrowKey(direction); }, count: 0,
                          element: pad.querySelector('[data-part=' + direction + ']')};
    });
    parts.action = {key: function () { return ACTION; }, count: 0,
                    element: pad.querySelector('[data-part=action]')};
    listen(pad, null);
    document.body.appendChild(pad);
    [APP1, APP2, APP3, APP4].forEach(function (code, i) {
      var key = drawKey(i + 1);
      key.id = 'reedshot-key' + (i + 1);
      parts['key' + (i + 1)] = {key: function () { return code; }, count: 0, element: key};
      listen(key, 'key' + (i + 1));
      document.body.appendChild(key);
      keys.push(key);
    });
  }

  // The part of the page the picture may take, given the page's size and
  // the picture's shape as shown (any unit): the whole page until the
  // buttons are shown; then the page less two side bars or a strip below,
  // whichever leaves the larger picture.
  Module.reedshotPictureArea = function (pageWidth, pageHeight, shownWidth, shownHeight,
                                         upright) {
    if (upright !== turned) letGo();
    turned = upright;
    var page = {left: 0, top: 0, width: pageWidth, height: pageHeight};
    // The run has ended: the buttons go, and the page's closing line has
    // a strip of its own under the picture.
    if (Module.reedshot && Module.reedshot.ended) {
      if (shown) hide();
      return {left: 0, top: 0, width: pageWidth, height: Math.max(1, pageHeight - NOTE)};
    }
    if (!shown) return page;
    var sides = {left: BAR, top: 0, width: Math.max(1, pageWidth - 2 * BAR),
                 height: pageHeight};
    var below = {left: 0, top: 0, width: pageWidth, height: Math.max(1, pageHeight - BAR)};
    var scale = function (area) {
      return Math.min(area.width / shownWidth, area.height / shownHeight);
    };
    // The picture centred on the page where its bars are wide enough.
    var fit = scale(page);
    if (pageWidth - fit * shownWidth >= 2 * BAR) {
      arrangement = 'sides';
      return page;
    }
    arrangement = scale(sides) >= scale(below) ? 'sides' : 'below';
    return arrangement === 'sides' ? sides : below;
  };

  function place(element, left, top, size) {
    element.style.left = Math.round(left) + 'px';
    element.style.top = Math.round(top) + 'px';
    element.style.width = element.style.height = Math.round(size) + 'px';
  }

  // The buttons in the room the picture leaves (`box`: where the picture
  // stands, in CSS pixels): the pad and keys 1 and 2 at the left, keys 3 and
  // 4 at the right, low, where the thumbs rest.
  Module.reedshotPictureShown = function (box) {
    if (!shown) return;
    var pageWidth = window.innerWidth, pageHeight = window.innerHeight;
    var group, left, right, groupTop;
    if (arrangement === 'sides') {
      var bar = Math.min(box.left, pageWidth - box.left - box.width);
      group = Math.min(LARGEST, bar * 0.92, pageHeight * 0.45);
      left = (box.left - group) / 2;
      right = box.left + box.width + (pageWidth - box.left - box.width - group) / 2;
      groupTop = Math.min(pageHeight - group * 1.05, pageHeight * 0.62 - group / 2);
      // Keys 1 and 2 above the pad.
      var key = group * 0.4;
      place(keys[0], left + group / 2 - key * 1.1, groupTop - key * 1.25, key);
      place(keys[1], left + group / 2 + key * 0.1, groupTop - key * 1.25, key);
    } else {
      var strip = pageHeight - (box.top + box.height);
      // A narrow phone: the groups as large as a thumb needs, keys 1 and 2
      // closer between them.
      group = Math.min(LARGEST, strip * 0.92,
                       Math.max(pageWidth * 0.36, Math.min(BAR * 0.92, pageWidth * 0.46 - 25)));
      left = pageWidth * 0.04;
      right = pageWidth * 0.96 - group;
      groupTop = box.top + box.height + (strip - group) / 2;
      // Keys 1 and 2 one over the other between the pad and keys 3 and 4.
      var between = right - (left + group), small = Math.min(group * 0.46, between * 0.8);
      var middle = left + group + (between - small) / 2;
      place(keys[0], middle, groupTop + group / 2 - small * 1.04, small);
      place(keys[1], middle, groupTop + group / 2 + small * 0.04, small);
    }
    place(pad, left, groupTop, group);
    // Key 3 (reload) big and lowest, key 4 above it.
    place(keys[2], right + group * 0.3, groupTop + group * 0.38, group * 0.62);
    place(keys[3], right + group * 0.02, groupTop, group * 0.42);
  };

  // The first touch of the page (once its finger is lifted, so that the
  // picture does not move under it) brings the buttons.
  window.addEventListener('touchend', function (event) {
    if (shown || pad || event.touches.length > 0) return;
    shown = true;
    create();
    if (Module.reedshotLayout) Module.reedshotLayout();
  }, true);

  // For the page's tests: where each button stands and whether it is held.
  Module.reedshotButtons = function () {
    if (!shown) return null;
    var found = {};
    for (var name in parts) {
      var box = (name in arrowOrAction ? pad : parts[name].element).getBoundingClientRect();
      found[name] = {left: box.left, top: box.top, width: box.width, height: box.height,
                     held: parts[name].count > 0};
    }
    return found;
  };
})();
