// page.js: what the page adds to the game's WebAssembly program: the pack fetched beside the
// page, the browser's lasting storage (IndexedDB) at /store, the picture fitted to the window or
// the full screen, and the message boxes and the name form drawn in the page in the look of the
// Linux build's, answering the keys, the mouse and the gamepads.
'use strict';

var zembrixPage = (function () {
    var canvas = document.getElementById('canvas');
    var keeping = Promise.resolve();
    var frames = {count: 0, first: 0};

    // Scales the canvas with its shape kept to the largest size that fits the window.
    // The links to the last replay and the level sets show only where the bars beside or below
    // the picture leave room for them, never over the picture: in a column beside it, in a line
    // below it.
    function fit() {
        var scale = Math.min(window.innerWidth / 800, window.innerHeight / 608);
        var side = window.innerWidth - 800 * scale >= 320;
        canvas.style.width = Math.floor(800 * scale) + 'px';
        canvas.style.height = Math.floor(608 * scale) + 'px';
        document.documentElement.classList.toggle('zx-room',
            side || window.innerHeight - 608 * scale >= 48);
        document.documentElement.classList.toggle('zx-side', side);
    }
    fit();

    // SDL sets the canvas's size again at every resize of the page (its listener runs after
    // this one and before restorePicture), which clears the canvas; when the size stays the same
    // the game is not told and would not draw its unchanged picture again, so the page keeps the
    // picture across it.
    var kept = document.createElement('canvas');
    window.addEventListener('resize', function () {
        kept.width = canvas.width;
        kept.height = canvas.height;
        kept.getContext('2d').drawImage(canvas, 0, 0);
        fit();
    });
    function restorePicture() {
        if (canvas.width === kept.width && canvas.height === kept.height) {
            canvas.getContext('2d').drawImage(kept, 0, 0);
        }
    }

    // SDL takes the pointer's place from its motions only, and Firefox sends none to a page that
    // loads under a resting pointer: a click with no motion before it at its place would reach
    // the game where the pointer was last seen. The page moves the game's pointer there first.
    var pointerAt = null;
    window.addEventListener('mousemove', function (event) {
        pointerAt = event.clientX + ',' + event.clientY;
    }, true);
    window.addEventListener('mousedown', function (event) {
        if (event.target === canvas && pointerAt !== event.clientX + ',' + event.clientY) {
            canvas.dispatchEvent(new MouseEvent('mousemove', {bubbles: true, clientX: event.clientX,
                clientY: event.clientY, screenX: event.screenX, screenY: event.screenY}));
        }
    }, true);

    // F11 and Alt+Enter put the whole page (the boxes stand over the picture) in the full screen
    // and take it out again, as they switch the desktop's window; the game does not see them.
    // The browser allows it in answer to a key press.
    window.addEventListener('keydown', function (event) {
        if (event.key !== 'F11' && !(event.key === 'Enter' && event.altKey)) {
            return;
        }
        event.preventDefault();
        event.stopImmediatePropagation();
        if (event.repeat) {
            return;
        }
        var change = document.fullscreenElement ? document.exitFullscreen() :
            document.documentElement.requestFullscreen();
        change.catch(function (error) {
            console.error('Zembrix: the full screen could not be switched: ' + error);
        });
    }, true);

    // Copies the files of /store to IndexedDB; the copies run one after another. A run's replay
    // or a set written meanwhile is offered for download.
    function keep() {
        keeping = keeping.then(function () {
            return new Promise(function (resolve) {
                FS.syncfs(false, function (error) {
                    if (error) {
                        console.error('Zembrix: the scores could not be kept: ' + error);
                    }
                    resolve();
                });
            });
        });
        zembrixReplay.offer();
        zembrixLevels.offer();
    }

    // The gamepads' controls held now, by the names of the game's pad buttons, in the browser's
    // standard layout: the d-pad or the left stick (pushed past half its travel, let go inside
    // three eighths), A, B or Back. was: the controls held at the last look.
    function padsHeld(was) {
        var held = {};
        function stick(value, minus, plus) {
            if (value <= -0.49 || (was[minus] && value <= -0.37)) {
                held[minus] = true;
            } else if (value >= 0.49 || (was[plus] && value >= 0.37)) {
                held[plus] = true;
            }
        }
        var pads = [];
        try {
            pads = navigator.getGamepads ? navigator.getGamepads() : [];
        } catch (error) {
            // A page in a frame the gamepads are refused to: the boxes take keys and the mouse.
        }
        Array.prototype.forEach.call(pads, function (pad) {
            if (!pad || !pad.connected) {
                return;
            }
            [['A', 0], ['B', 1], ['B', 8], ['Up', 12], ['Down', 13], ['Left', 14],
                ['Right', 15]].forEach(function (control) {
                var button = pad.buttons[control[1]];
                if (button && button.pressed) {
                    held[control[0]] = true;
                }
            });
            stick(pad.axes[0] || 0, 'Left', 'Right');
            stick(pad.axes[1] || 0, 'Up', 'Down');
        });
        return held;
    }

    // Looks at the gamepads at every frame of the browser and calls onPad with the name of each
    // control that goes down; what is held when it starts counts only once let go and pressed
    // again. released() resolves once every control pressed since then is let go, so that the
    // game, which reads the pads itself, never sees the press that answered.
    function watchPads(onPad) {
        var held = padsHeld({});
        var pressed = {};
        var waiting = null;
        requestAnimationFrame(function look() {
            var now = padsHeld(held);
            Object.keys(now).forEach(function (name) {
                if (!held[name]) {
                    pressed[name] = true;
                    if (!waiting) {
                        onPad(name);
                    }
                }
            });
            held = now;
            if (waiting && !Object.keys(pressed).some(function (name) { return held[name]; })) {
                waiting();
                return;
            }
            requestAnimationFrame(look);
        });
        return {
            released: function () {
                return new Promise(function (resolve) { waiting = resolve; });
            }
        };
    }

    // The modal layer over the picture: it takes every key press and click until it goes, so
    // that the game never sees them; key releases pass, so that the game sees its keys let go.
    // onKey gets each key press, onPad the name of each gamepad control pressed (watchPads).
    // close() resolves once the gamepads' controls pressed on the layer are let go.
    function openLayer(onKey, onPad) {
        var layer = document.createElement('div');
        layer.className = 'zx-layer';
        var pressedHere = {};
        var pads = watchPads(onPad);
        function stop(event) { event.stopPropagation(); }
        function guard(event) {
            if (!layer.contains(event.target)) {
                event.stopPropagation();
                event.preventDefault();
            }
            if (event.type === 'keydown') {
                // A key held down since before the layer opened neither types nor answers.
                if (event.repeat && !pressedHere[event.code]) {
                    event.stopPropagation();
                    event.preventDefault();
                    return;
                }
                pressedHere[event.code] = true;
                onKey(event);
            }
        }
        function release(event) { delete pressedHere[event.code]; }
        window.addEventListener('keydown', guard, true);
        window.addEventListener('keypress', guard, true);
        window.addEventListener('keyup', release, true);
        ['mousedown', 'mouseup', 'click', 'keydown', 'keypress', 'wheel'].forEach(function (type) {
            layer.addEventListener(type, stop);
        });
        document.body.appendChild(layer);
        return {
            element: layer,
            close: function () {
                window.removeEventListener('keydown', guard, true);
                window.removeEventListener('keypress', guard, true);
                window.removeEventListener('keyup', release, true);
                layer.remove();
                return pads.released();
            }
        };
    }

    function element(tag, className, text) {
        var made = document.createElement(tag);
        made.className = className;
        if (text !== undefined) {
            made.textContent = text;
        }
        return made;
    }

    // A row of push buttons; the one at index focus has the focus.
    function buttonRow(labels, onChoose) {
        var row = element('div', 'zx-strip');
        var buttons = labels.map(function (label, index) {
            var button = element('button', 'zx-button', label);
            button.type = 'button';
            button.addEventListener('click', function () { onChoose(index); });
            row.appendChild(button);
            return button;
        });
        return {row: row, buttons: buttons};
    }

    // Shows a message box and resolves with the index of the button chosen, or -1 when it was
    // closed without one (Escape closes a box that only says something; a question has no way
    // out but its buttons). labels: the buttons' captions, two for a question ("Tak", "Nie" in
    // Polish). Enter and Space choose the focused button, Tab and the arrows move the focus; on
    // a gamepad A chooses it, left and right move it, and B answers "Nie" or closes. icon:
    // 32 x 32 RGBA bytes or null.
    function box(caption, text, labels, icon, iconSize) {
        var question = labels.length === 2;
        return new Promise(function (resolve) {
            var focus = 0;
            var row;
            function moveFocus(step) {
                var count = row.buttons.length;
                focus = (focus + count + step) % count;
                row.buttons[focus].focus();
            }
            var layer = openLayer(function (event) {
                switch (event.key) {
                case 'Enter': case ' ':
                    finish(focus);
                    break;
                case 'Escape':
                    if (!question) {
                        finish(-1);
                    }
                    break;
                case 'Tab': case 'ArrowRight': case 'ArrowDown':
                    moveFocus(event.shiftKey && event.key === 'Tab' ? -1 : 1);
                    break;
                case 'ArrowLeft': case 'ArrowUp':
                    moveFocus(-1);
                    break;
                default:
                    return;
                }
                event.preventDefault();
            }, function (control) {
                if (control === 'A') {
                    finish(focus);
                } else if (control === 'B') {
                    finish(question ? 1 : -1);
                } else if (control === 'Left' || control === 'Right') {
                    moveFocus(control === 'Left' ? -1 : 1);
                }
            });
            var finished = false;
            function finish(answer) {
                if (!finished) {
                    finished = true;
                    layer.close().then(function () { resolve(answer); });
                }
            }
            var frame = element('div', 'zx-box');
            frame.setAttribute('role', 'alertdialog');
            frame.appendChild(element('div', 'zx-caption', caption));
            var body = element('div', 'zx-body');
            if (icon) {
                var picture = element('canvas', 'zx-icon');
                picture.width = picture.height = iconSize;
                var context = picture.getContext('2d');
                var data = context.createImageData(iconSize, iconSize);
                data.data.set(icon);
                context.putImageData(data, 0, 0);
                body.appendChild(picture);
            }
            body.appendChild(element('div', 'zx-text', text));
            frame.appendChild(body);
            row = buttonRow(labels, finish);
            frame.appendChild(row.row);
            layer.element.appendChild(frame);
            row.buttons[0].classList.add('zx-default');
            row.buttons[0].focus();
        });
    }

    // Shows the name form with the offered name selected, and resolves with the name typed, or
    // null after Cancel or Escape. labels: the field's label, then OK's and Cancel's captions.
    // Enter is OK; on a gamepad A is OK and B is Cancel.
    function askName(offered, labels) {
        return new Promise(function (resolve) {
            var field;
            var layer = openLayer(function (event) {
                if (event.key === 'Enter' && document.activeElement !== row.buttons[1]) {
                    event.preventDefault();
                    finish(0);
                } else if (event.key === 'Escape') {
                    event.preventDefault();
                    finish(1);
                }
            }, function (control) {
                if (control === 'A' || control === 'B') {
                    finish(control === 'A' ? 0 : 1);
                }
            });
            var finished = false;
            function finish(index) {
                if (!finished) {
                    finished = true;
                    var name = field.value;
                    layer.close().then(function () { resolve(index === 0 ? name : null); });
                }
            }
            var frame = element('form', 'zx-box zx-name');
            frame.addEventListener('submit', function (event) { event.preventDefault(); });
            frame.appendChild(element('div', 'zx-caption', 'Zembrix'));
            var body = element('div', 'zx-name-body');
            var label = element('label', 'zx-label', labels[0]);
            field = element('input', 'zx-field');
            field.id = 'zx-name-field';
            label.htmlFor = field.id;
            field.value = offered;
            field.autocomplete = 'off';
            field.spellcheck = false;
            body.appendChild(label);
            body.appendChild(field);
            var row = buttonRow(labels.slice(1), finish);
            row.buttons[0].classList.add('zx-default');
            body.appendChild(row.row);
            frame.appendChild(body);
            layer.element.appendChild(frame);
            field.focus();
            field.select();
        });
    }

    // Counts the game's turns (one per frame shown) and notes when the first one ended.
    function presented() {
        if (frames.count++ === 0) {
            frames.first = performance.now();
            // SDL's listener is in place now: this one comes after it.
            window.addEventListener('resize', restorePicture);
        }
    }

    // Puts a sentence with the given id in place of the game's picture.
    function say(id, html) {
        var note = document.createElement('p');
        note.id = id;
        note.innerHTML = html;
        canvas.replaceWith(note);
    }

    // The game has ended ("Wyjście", or a start it could not make): the page says so, in each of
    // the game's languages, in place of the last picture, which would otherwise stand still as if
    // the game had hung.
    function ended() {
        say('ended', 'Gra zakończona. Odśwież stronę, aby zagrać jeszcze raz.<br lang="en">' +
            'The game has ended. Reload the page to play again.<br lang="de">' +
            'Das Spiel ist zu Ende. Lade die Seite neu, um noch einmal zu spielen.');
    }

    // The program could not be fetched or compiled: the page says so rather than stay blank.
    function unloaded() {
        say('unloaded', 'Nie udało się wczytać gry. Odśwież stronę, aby spróbować jeszcze raz.' +
            '<br lang="en">The game could not be loaded. Reload the page to try again.' +
            '<br lang="de">Das Spiel konnte nicht geladen werden. Lade die Seite neu, um es noch ' +
            'einmal zu versuchen.');
    }

    return {
        keep: keep,
        ended: ended,
        unloaded: unloaded,
        kept: function () { return keeping; },
        box: box,
        askName: askName,
        presented: presented,
        frames: frames
    };
})();

// The pack and the program's code are fetched at once, beside zembrix.js rather than after it,
// and the code is compiled while it arrives (a server that does not call it application/wasm
// gets it compiled once it is all there).
var zembrixPack = fetch('data.zxp', {cache: 'no-cache'}).then(function (response) {
    return response.ok ? response.arrayBuffer() : null;
});
var zembrixCode = (function () {
    function compileWhole() {
        return fetch('zembrix.wasm', {credentials: 'same-origin'}).then(function (response) {
            if (!response.ok) {
                throw new Error('zembrix.wasm: ' + response.status + ' ' + response.statusText);
            }
            return response.arrayBuffer();
        }).then(function (bytes) { return WebAssembly.compile(bytes); });
    }
    if (typeof WebAssembly.compileStreaming !== 'function') {
        return compileWhole();
    }
    return WebAssembly.compileStreaming(fetch('zembrix.wasm', {credentials: 'same-origin'}))
        .catch(compileWhole);
})();

var Module = {
    canvas: document.getElementById('canvas'),
    // The page owns the full screen (F11 and Alt+Enter switch the whole page, boxes and all):
    // the game starts in its window, as with --window, whatever a kept setting says.
    arguments: ['--window'].concat(zembrixReplay.arguments, zembrixLevels.arguments),
    instantiateWasm: function (imports, receive) {
        zembrixCode.then(function (code) {
            return WebAssembly.instantiate(code, imports).then(function (instance) {
                receive(instance, code);
            });
        }).catch(function (error) {
            console.error('Zembrix: the program could not be loaded: ' + error);
            zembrixPage.unloaded();
        });
        return {};
    },
    preInit: [function () {
        // The scores and the settings live in IndexedDB at /store. Its database is opened now,
        // while the code is still being compiled (on a first visit the browser makes it then);
        // the files are read back before the game starts, once the memory they go to exists.
        FS.mkdir('/store');
        FS.mount(IDBFS, {}, '/store');
        IDBFS.getDB('/store', function () {});
    }],
    preRun: [function () {
        addRunDependency('store');
        FS.syncfs(true, function (error) {
            if (error) {
                console.error('Zembrix: the kept scores could not be read: ' + error);
            }
            zembrixReplay.offer();
            zembrixLevels.offer();
            removeRunDependency('store');
        });
        zembrixReplay.fetchInto('/replay.zxr');
        zembrixLevels.fetchInto();
        // The pack beside the page; without it the game says so itself.
        addRunDependency('pack');
        zembrixPack.then(function (bytes) {
            if (bytes) {
                FS.writeFile('/data.zxp', new Uint8Array(bytes));
            }
        }).catch(function (error) {
            console.error('Zembrix: data.zxp could not be fetched: ' + error);
        }).finally(function () {
            removeRunDependency('pack');
        });
    }],
    print: function (text) { console.log(text); },
    printErr: function (text) { console.error(text); }
};
