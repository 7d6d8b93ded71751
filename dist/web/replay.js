// replay.js: the page's recorded runs: one named in the address, fetched beside the page and
// handed to the program (?replay=FILE shows it, ?verify-replay=FILE plays it back unseen and
// prints the result to the console), and a link beside the picture to the newest run's replay
// kept in the browser's storage.
'use strict';

var zembrixReplay = (function () {
    var query = new URLSearchParams(location.search);
    var option = ['verify-replay', 'replay'].find(function (name) { return query.has(name); });
    var bytes = option ? fetch(query.get(option), {cache: 'no-cache'}).then(function (response) {
        if (!response.ok) {
            throw new Error(query.get(option) + ': ' + response.status);
        }
        return response.arrayBuffer();
    }) : null;

    // Writes the replay named in the address to path before the program starts.
    function fetchInto(path) {
        if (!bytes) {
            return;
        }
        addRunDependency('replay');
        bytes.then(function (data) {
            FS.writeFile(path, new Uint8Array(data));
        }).catch(function (error) {
            console.error('Zembrix: the replay could not be fetched: ' + error);
        }).finally(function () {
            removeRunDependency('replay');
        });
    }

    // A link beside the picture to the newest run's replay kept in the store, once there is one.
    function offer() {
        var folder = '/store/zembrix/replays';
        var names = [];
        try {
            names = FS.readdir(folder).filter(function (name) { return /\.zxr$/.test(name); });
        } catch (error) {
            return;
        }
        if (names.length === 0) {
            return;
        }
        var name = names.sort()[names.length - 1];
        var link = document.getElementById('zx-replay');
        if (!link) {
            link = document.body.appendChild(document.createElement('a'));
            link.id = 'zx-replay';
            link.textContent = 'Powtórka ostatniej gry';
            link.title = 'The last run\'s replay (zembrix --replay FILE plays it)';
        } else {
            URL.revokeObjectURL(link.href);
        }
        link.href = URL.createObjectURL(new Blob([FS.readFile(folder + '/' + name)]));
        link.download = name;
    }

    return {
        arguments: option ? ['--' + option, '/replay.zxr'] : [],
        fetchInto: fetchInto,
        offer: offer
    };
})();
