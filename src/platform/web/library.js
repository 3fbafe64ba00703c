// The page's side of the browser platform, called from the C++ files
// beside it: the canvases, the icon, the gamepads, and the page's notes
// (web/page.js shows the message box and the end of the game).
mergeInto(LibraryManager.library, {
  sorvi_open_canvases: function (title) {
    var screen = document.getElementById('screen');
    var bar = document.getElementById('bar');
    var frame = document.getElementById('window');
    if (!screen || !bar || !frame) return 0;
    var screenContext = screen.getContext('2d', { alpha: false });
    var barContext = bar.getContext('2d');
    if (!screenContext || !barContext) return 0;
    Module.sorviCanvas = {
      screen: screen, bar: bar, frame: frame,
      screenContext: screenContext, barContext: barContext, picture: null
    };
    document.title = UTF8ToString(title);
    return 1;
  },

  sorvi_show_icon: function (pixels, size) {
    var canvas = document.createElement('canvas');
    canvas.width = size;
    canvas.height = size;
    var context = canvas.getContext('2d');
    if (!context) return;
    var bytes = HEAPU8.slice(pixels, pixels + size * size * 4);
    context.putImageData(new ImageData(new Uint8ClampedArray(bytes.buffer), size, size), 0, 0);
    var link = document.querySelector('link[rel=icon]');
    if (!link) {
      link = document.createElement('link');
      link.rel = 'icon';
      document.head.appendChild(link);
    }
    link.href = canvas.toDataURL('image/png');
  },

  sorvi_show_canvases: function (shown) {
    Module.sorviCanvas.frame.hidden = !shown;
  },

  // In CSS pixels: the picture at the client size below the bar, the
  // window around both.
  sorvi_size_canvases: function (clientWidth, clientHeight, barHeight) {
    var c = Module.sorviCanvas;
    c.screen.style.width = clientWidth + 'px';
    c.screen.style.height = clientHeight + 'px';
    c.screen.style.top = barHeight + 'px';
    c.frame.style.width = clientWidth + 'px';
    c.frame.style.height = (clientHeight + barHeight) + 'px';
  },

  // The picture's pixels are always the same block of memory, which never
  // grows, so its view is made once.
  sorvi_put_picture: function (pixels, width, height) {
    var c = Module.sorviCanvas;
    if (!c.picture) {
      c.picture = new ImageData(
        new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
    }
    c.screenContext.putImageData(c.picture, 0, 0);
  },

  sorvi_put_menu: function (pixels, width, height) {
    var c = Module.sorviCanvas;
    if (c.bar.width !== width || c.bar.height !== height) {
      c.bar.width = width;
      c.bar.height = height;
      c.bar.style.width = width + 'px';
      c.bar.style.height = height + 'px';
    }
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    c.barContext.putImageData(new ImageData(bytes, width, height), 0, 0);
  },

  sorvi_window_point: function (clientX, clientY, at) {
    var rect = Module.sorviCanvas.frame.getBoundingClientRect();
    HEAP32[at >> 2] = Math.floor(clientX - rect.left);
    HEAP32[(at >> 2) + 1] = Math.floor(clientY - rect.top);
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
