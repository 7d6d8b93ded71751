// levels.js: the page's level sets: one named in the address (?levels=FILE), fetched beside the
// page and handed to the program as the set it plays; the sets kept in the browser's storage,
// imported from a file the player picks and offered for download, and the link to the level
// editor (?edit), all in the bars beside the picture.
'use strict';

var zembrixLevels = (function () {
    var folder = '/store/zembrix/levels';
    var query = new URLSearchParams(location.search);
    var editing = query.has('edit');

    // A file name the game and the store take: letters (Polish ones without their marks), digits,
    // '-' and '_', ending in ".zxl".
    function safeName(name) {
        var stem = name.replace(/^.*[\/\\]/, '').replace(/\.zxl$/i, '').normalize('NFD')
            .replace(/[\u0300-\u036f]/g, '').replace(/ł/g, 'l').replace(/Ł/g, 'L')
            .replace(/[^A-Za-z0-9_-]+/g, '-').replace(/^-+|-+$/g, '').slice(0, 60);
        return (stem || 'zestaw') + '.zxl';
    }

    // The set of the address goes in under its own name, so that its score table is the one an
    // imported set of that name has (scoreboard-NAME.zxs).
    var address = query.get('levels');
    var fetched = address ? '/' + safeName(address.split(/[?#]/)[0]) : '';
    var bytes = address ? fetch(address, {cache: 'no-cache'}).then(function (response) {
        if (!response.ok) {
            throw new Error(address + ': ' + response.status);
        }
        return response.arrayBuffer();
    }) : null;

    // Writes the set named in the address to its place before the program starts.
    function fetchInto() {
        if (!bytes) {
            return;
        }
        addRunDependency('levels');
        bytes.then(function (data) {
            FS.writeFile(fetched, new Uint8Array(data));
        }).catch(function (error) {
            console.error('Zembrix: the level set could not be fetched: ' + error);
        }).finally(function () {
            removeRunDependency('levels');
        });
    }

    // The set file picked by the player goes into the store's levels folder; once it is kept the
    // page starts again, and the menu, which looks at the folder as it opens, offers it.
    function importFile(file) {
        if (file.size > 256 * 1024) {
            zembrixPage.box('Zembrix', 'Plik ' + file.name + ' jest za duży na zestaw poziomów ' +
                '(najwyżej 256 KiB).', ['OK'], null, 0);
            return;
        }
        file.arrayBuffer().then(function (data) {
            FS.mkdirTree(folder);
            FS.writeFile(folder + '/' + safeName(file.name), new Uint8Array(data));
            zembrixPage.keep();
            return zembrixPage.kept();
        }).then(function () {
            location.reload();
        }).catch(function (error) {
            console.error('Zembrix: the level set could not be imported: ' + error);
        });
    }

    function link(text, title, href) {
        var made = document.createElement('a');
        made.textContent = text;
        made.title = title;
        made.href = href;
        return made;
    }

    // The controls in the bars: import, the editor (or the way back to the game from it), and a
    // download link for each set in the store; made again whenever the store may have changed.
    function offer() {
        var bar = document.getElementById('zx-levels');
        if (!bar) {
            bar = document.body.appendChild(document.createElement('div'));
            bar.id = 'zx-levels';
            var load = bar.appendChild(document.createElement('label'));
            load.textContent = 'Wczytaj zestaw poziomów';
            load.title = 'Import a level set (.zxl): the menu offers it';
            var input = load.appendChild(document.createElement('input'));
            input.type = 'file';
            input.accept = '.zxl';
            input.hidden = true;
            input.addEventListener('change', function () {
                if (input.files.length > 0) {
                    importFile(input.files[0]);
                }
                input.value = '';
            });
            bar.appendChild(editing ? link('Wróć do gry', 'Back to the game', location.pathname)
                                    : link('Edytor poziomów', 'The level editor', '?edit'));
        }
        Array.prototype.slice.call(bar.querySelectorAll('a[download]')).forEach(function (old) {
            URL.revokeObjectURL(old.href);
            old.remove();
        });
        var names = [];
        try {
            names = FS.readdir(folder).filter(function (name) { return /\.zxl$/i.test(name); });
        } catch (error) {
            return;
        }
        names.sort().forEach(function (name) {
            var save = link('Zapisz zestaw ' + name.slice(0, -4), 'Save the level set ' + name,
                URL.createObjectURL(new Blob([FS.readFile(folder + '/' + name)])));
            save.download = name;
            bar.appendChild(save);
        });
    }

    return {
        arguments: (editing ? ['--edit'] : []).concat(fetched ? [fetched] : []),
        fetchInto: fetchInto,
        offer: offer
    };
})();
