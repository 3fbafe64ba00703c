// The page's side of the browser platform, called from the C++ files
// beside it: the canvases and where they go, fullscreen, the touch
// buttons, the gamepads, and the page's notes (web/page.js shows the
// message box, the end of the game and the loading).
mergeInto(LibraryManager.library, {
  sorvi_open_canvases: function (title) {
    var screen = document.getElementById('screen');
    var bar = document.getElementById('bar');
    var frame = document.getElementById('window');
    var stage = document.getElementById('stage');
    var game = document.getElementById('game');
    if (!screen || !bar || !frame || !stage || !game) return 0;
    var screenContext = screen.getContext('2d', { alpha: false });
    var barContext = bar.getContext('2d');
    if (!screenContext || !barContext) return 0;
    Module.sorviCanvas = {
      screen: screen, bar: bar, frame: frame, stage: stage, game: game,
      screenContext: screenContext, barContext: barContext, picture: null,
      ratio: 1, barScale: 1, wantFullscreen: false
    };
    document.title = UTF8ToString(title);
    return 1;
  },

  sorvi_show_canvases: function (shown) {
    Module.sorviCanvas.frame.hidden = !shown;
  },

  // The stage's content box in whole device pixels, inside its edges.
  sorvi_measure_space: function (at) {
    var ratio = window.devicePixelRatio || 1;
    var r = Module.sorviCanvas.stage.getBoundingClientRect();
    var x = Math.ceil(r.left * ratio - 0.01), y = Math.ceil(r.top * ratio - 0.01);
    HEAP32[at >> 2] = x;
    HEAP32[(at >> 2) + 1] = y;
    HEAP32[(at >> 2) + 2] = Math.max(0, Math.floor(r.right * ratio + 0.01) - x);
    HEAP32[(at >> 2) + 3] = Math.max(0, Math.floor(r.bottom * ratio + 0.01) - y);
    return ratio;
  },

  $sorviSizeBar: function (c) {
    c.bar.style.width = c.bar.width * c.barScale / c.ratio + 'px';
    c.bar.style.height = c.bar.height * c.barScale / c.ratio + 'px';
  },

  // Device pixels become CSS pixels; the window's corner is set from the
  // viewport's, so that it lies on a device pixel whatever the stage's.
  sorvi_place_window__deps: ['$sorviSizeBar'],
  sorvi_place_window: function (at, ratio, fullscreen) {
    var c = Module.sorviCanvas;
    var v = HEAP32.subarray(at >> 2, (at >> 2) + 9);
    var r = c.stage.getBoundingClientRect();
    function css(n) { return n / ratio + 'px'; }
    c.frame.style.left = v[0] / ratio - r.left + 'px';
    c.frame.style.top = v[1] / ratio - r.top + 'px';
    c.frame.style.width = css(v[2]);
    c.frame.style.height = css(v[3]);
    c.screen.style.left = css(v[4]);
    c.screen.style.top = css(v[5]);
    c.screen.style.width = css(v[6]);
    c.screen.style.height = css(v[7]);
    c.ratio = ratio;
    c.barScale = v[8];
    c.frame.classList.toggle('fullscreen', !!fullscreen);
    var button = document.getElementById('fullscreen');
    if (button) button.setAttribute('aria-pressed', fullscreen ? 'true' : 'false');
    sorviSizeBar(c);
  },

  sorvi_watch_layout: function () {
    var c = Module.sorviCanvas;
    function relayout() { _sorvi_relayout(); }
    new ResizeObserver(relayout).observe(c.stage);
    window.addEventListener('resize', relayout);
    // Zoom, or a display of another scale.
    (function watchRatio() {
      matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
        .addEventListener('change', function () { watchRatio(); relayout(); }, { once: true });
    })();
  },

  // The browser's own leaving (its Escape) and the page's button, which
  // shows only where the page may go fullscreen.
  sorvi_watch_fullscreen: function () {
    var c = Module.sorviCanvas;
    document.addEventListener('fullscreenchange', function () {
      if (document.fullscreenElement && !c.wantFullscreen) {
        document.exitFullscreen().catch(function () {});
      } else if (!document.fullscreenElement && c.wantFullscreen) {
        _sorvi_fullscreen_left();
      }
    });
    var button = document.getElementById('fullscreen');
    if (button && document.fullscreenEnabled) {
      button.hidden = false;
      button.addEventListener('click', function () { _sorvi_fullscreen_button(); });
    }
  },

  sorvi_fullscreen: function (on) {
    var c = Module.sorviCanvas;
    if (on) {
      if (!document.fullscreenEnabled || !c.game.requestFullscreen) return 0;
      c.wantFullscreen = true;
      if (!document.fullscreenElement) {
        c.game.requestFullscreen({ navigationUI: 'hide' }).catch(function () {
          if (c.wantFullscreen) _sorvi_fullscreen_left();
        });
      }
      return 1;
    }
    c.wantFullscreen = false;
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
    return 1;
  },

  // The picture's pixels are always the same block of memory, which never
  // grows, so its view is made once.
  sorvi_put_picture: function (pixels, width, height) {
    var c = Module.sorviCanvas;
    if (!c.picture) {
      c.picture = new ImageData(
        new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
      SorviPage.started();
    }
    c.screenContext.putImageData(c.picture, 0, 0);
  },

  sorvi_put_menu__deps: ['$sorviSizeBar'],
  sorvi_put_menu: function (pixels, width, height) {
    var c = Module.sorviCanvas;
    c.bar.hidden = width === 0;
    if (width === 0) return;
    if (c.bar.width !== width || c.bar.height !== height) {
      c.bar.width = width;
      c.bar.height = height;
      sorviSizeBar(c);
    }
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    c.barContext.putImageData(new ImageData(bytes, width, height), 0, 0);
  },

  // A point of the page in the bar's pixels, from the window's corner.
  sorvi_window_point: function (clientX, clientY, at) {
    var c = Module.sorviCanvas;
    var rect = c.frame.getBoundingClientRect();
    HEAP32[at >> 2] = Math.floor((clientX - rect.left) * c.ratio / c.barScale);
    HEAP32[(at >> 2) + 1] = Math.floor((clientY - rect.top) * c.ratio / c.barScale);
  },

  sorvi_has_focus: function () {
    return document.hasFocus() ? 1 : 0;
  },

  sorvi_touch_button: function (name, key) {
    var button = document.querySelector('button[data-key="' + UTF8ToString(name) + '"]');
    if (button) button.sorviKey = key;
  },

  // Each pointer on the buttons reports the button under it as it moves,
  // so a finger sliding from one to the next changes keys, and lets go
  // however it ends. The buttons show on a touch screen and from the first
  // touch on, and go when a key is pressed on a real keyboard.
  sorvi_listen_touch: function () {
    var game = Module.sorviCanvas.game;
    var buttons = document.querySelectorAll('.touch-buttons button[data-key]');
    var on = {}; // each pointer's button, or null
    function buttonAt(x, y) {
      var under = document.elementFromPoint(x, y);
      return (under && under.closest('.touch-buttons button[data-key]')) || null;
    }
    function paint() {
      buttons.forEach(function (button) {
        var held = Object.keys(on).some(function (id) { return on[id] === button; });
        button.classList.toggle('held', held);
      });
    }
    function moved(id, button) {
      on[id] = button;
      _sorvi_touch_moved(id, (button && button.sorviKey) || 0);
      paint();
    }
    function ended(e) {
      if (e.pointerId in on) {
        delete on[e.pointerId];
        _sorvi_touch_ended(e.pointerId);
        paint();
      }
    }
    function show(shown) {
      if (game.classList.contains('touch') === shown) return;
      game.classList.toggle('touch', shown);
      if (!shown) {
        on = {};
        _sorvi_touches_ended();
        paint();
      }
    }
    document.querySelectorAll('.touch-buttons').forEach(function (group) {
      group.addEventListener('pointerdown', function (e) {
        var button = e.target.closest('button[data-key]');
        if (!button || e.button !== 0) return;
        // No mouse events follow, which the menu would take for a click.
        e.preventDefault();
        button.setPointerCapture(e.pointerId);
        moved(e.pointerId, button);
      });
      group.addEventListener('pointermove', function (e) {
        if (e.pointerId in on) moved(e.pointerId, buttonAt(e.clientX, e.clientY));
      });
      ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (type) {
        group.addEventListener(type, ended);
      });
      // A press with no pointer (a screen reader's): a tap.
      group.addEventListener('click', function (e) {
        var button = e.target.closest('button[data-key]');
        if (!button || e.detail !== 0) return;
        _sorvi_touch_moved(-1, button.sorviKey || 0);
        _sorvi_touch_ended(-1);
      });
    });
    game.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    document.addEventListener('pointerdown', function (e) {
      if (e.pointerType === 'touch') show(true);
    }, true);
    window.addEventListener('keydown', function () { show(false); }, true);
    show(matchMedia('(pointer: coarse)').matches);
  },

  $sorviPads: function () {
    if (typeof navigator.getGamepads !== 'function') return [];
    var all = navigator.getGamepads() || [];
    var pads = [];
    for (var i = 0; i < all.length; ++i) {
      if (all[i] && all[i].connected) pads.push(all[i]);
    }
    return pads;
  },

  sorvi_pad_count__deps: ['$sorviPads'],
  sorvi_pad_count: function () {
    return sorviPads().length;
  },

  // Axes from -1 to 1 become 0 to 65535 with the centre at 32768; a
  // pressed D-pad direction (standard layout: buttons 12 to 15) stands for
  // the stick pushed all the way.
  sorvi_read_pad__deps: ['$sorviPads'],
  sorvi_read_pad: function (reading) {
    var pad = sorviPads()[0];
    if (!pad) return 0;
    function axis(value) {
      if (typeof value !== 'number' || !isFinite(value)) return 32768;
      return Math.min(65535, Math.max(0, Math.floor((value + 1) * 32768)));
    }
    function pressed(index) {
      var button = pad.buttons[index];
      return !!button && (button.pressed || button.value > 0.5);
    }
    var x = axis(pad.axes[0]);
    var y = axis(pad.axes[1]);
    if (pad.mapping === 'standard') {
      if (pressed(14)) x = 0;
      if (pressed(15)) x = 65535;
      if (pressed(12)) y = 0;
      if (pressed(13)) y = 65535;
    }
    HEAPU32[reading >> 2] = x;
    HEAPU32[(reading >> 2) + 1] = y;
    HEAPU32[(reading >> 2) + 2] = (pressed(0) ? 1 : 0) | (pressed(1) ? 2 : 0);
    return 1;
  },

  sorvi_watch_pads: function () {
    window.addEventListener('gamepadconnected', function () {
      _sorvi_pad_appeared();
    });
  },

  sorvi_show_message: function (text, caption) {
    SorviPage.showMessage(UTF8ToString(caption), UTF8ToString(text));
  },

  sorvi_message_open: function () {
    return SorviPage.messageOpen() ? 1 : 0;
  },

  sorvi_show_ended: function (code) {
    SorviPage.showEnded(code);
  },

  sorvi_show_failure: function (code) {
    SorviPage.showFailure(code);
  }
});
