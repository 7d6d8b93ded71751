// Measures how soon the web page shows the game's first frame in headless Chromium, each run in a
// new browser with an empty profile (nothing cached), and where that time goes: the downloads
// (resource timing), the WebAssembly compile and instantiation, the wait for the files the game
// needs before main, and main up to its first frame. Several sites are measured in turn, run by
// run, so that a change in the machine's load falls on all of them alike. Prints one line per
// run and the medians of each site.
// Usage: NODE_PATH=build/web-test/node_modules node bench/web-start.js RUNS URL...
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [runs, ...urls] = process.argv.slice(2);

// Runs in the page before its scripts: notes when the compile starts and ends and when main
// is called, in the page's own clock (0 = navigation).
function watch() {
    const times = window.startTimes = {};
    const mark = name => { if (!(name in times)) times[name] = performance.now(); };
    for (const name of ['compileStreaming', 'compile', 'instantiateStreaming', 'instantiate']) {
        const original = WebAssembly[name];
        const done = name.startsWith('compile') ? 'compiled' : 'instantiated';
        WebAssembly[name] = function (...args) {
            mark('compile');
            return original.apply(this, args).then(result => { mark(done); return result; });
        };
    }
    let module;
    Object.defineProperty(window, 'Module', {configurable: true, get: () => module, set: value => {
        module = value;
        if (value && !value.startWatched) {
            value.startWatched = true;
            const before = value.onRuntimeInitialized;
            value.onRuntimeInitialized = function () { mark('main'); if (before) before(); };
        }
    }});
}

async function once(url) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zx-start-'));
    const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
        args: ['--no-sandbox', '--window-size=800,608'], userDataDir: profile,
        defaultViewport: {width: 800, height: 608}, protocolTimeout: 20000});
    try {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(watch);
        let init;
        page.on('console', message => {
            const said = /Intialized in (\d+) ms/.exec(message.text());
            if (said) init = Number(said[1]);
        });
        await page.goto(url);
        const end = Date.now() + 30000;
        let figures = null;
        while (!figures) {
            if (Date.now() > end) throw new Error('no first frame within 30 s');
            figures = await page.evaluate(() => {
                if (!(window.zembrixPage && zembrixPage.frames.count > 0)) return null;
                const loaded = {};
                for (const entry of performance.getEntriesByType('resource'))
                    loaded[entry.name.replace(/.*\//, '')] = [entry.startTime, entry.responseEnd];
                return {frame: zembrixPage.frames.first, loaded, ...startTimes};
            });
            if (figures) figures.init = init;
            if (!figures) await new Promise(resolve => setTimeout(resolve, 50));
        }
        return figures;
    } finally {
        await browser.close();
        fs.rmSync(profile, {recursive: true, force: true});
    }
}

const median = values => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = value => (value === undefined ? '-' : value.toFixed(0)).padStart(13);

(async () => {
    const columns = ['frame', 'script', 'wasm start', 'wasm', 'data', 'pack', 'compile',
        'instantiated', 'main', 'init', 'main→frame'];
    const tables = urls.map(() => Object.fromEntries(columns.map(name => [name, []])));
    const line = (label, values) => console.log(label.padEnd(10) + values.map(ms).join(''));
    console.log(''.padEnd(10) + columns.map(name => name.padStart(13)).join(''));
    for (let run = 0; run < Number(runs); run++) {
        for (const [site, url] of urls.entries()) {
            const f = await once(url);
            const [wasmStart, wasm] = f.loaded['zembrix.wasm'] || [];
            const row = {frame: f.frame, script: (f.loaded['zembrix.js'] || [])[1],
                'wasm start': wasmStart, wasm, data: (f.loaded['zembrix.data'] || [])[1],
                pack: (f.loaded['data.zxp'] || [])[1], compile: f.compile,
                instantiated: f.instantiated, main: f.main, init: f.init,
                'main→frame': f.main === undefined ? undefined : f.frame - f.main};
            for (const name of columns)
                if (row[name] !== undefined) tables[site][name].push(row[name]);
            line(`site ${site + 1}`, columns.map(name => row[name]));
        }
    }
    for (const site of urls.keys())
        line(`median ${site + 1}`, columns.map(name => median(tables[site][name])));
    console.log(urls.map((url, site) => `site ${site + 1}: ${url}`).join('\n'));
    console.log('(ms after navigation: the first frame; when the downloads ended (the wasm\'s also ' +
        'when it started); when the compile started, the instance was ready and main was called; ' +
        'init: the game\'s own start-up, as it prints it; main→frame: from main to the first frame)');
})().catch(error => {
    console.error(`FAIL: ${error.stack || error.message}`);
    process.exit(1);
});
