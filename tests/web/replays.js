// The recorded runs in the page: each verified by the WebAssembly program (?verify-replay=FILE,
// with ?levels=SET for a run of a player's set) to the very points, name and updates the Linux
// build gives for it, one shown in the page (?replay=FILE) with "Powtórka" over the field, and
// the link to the last run's replay kept in the browser's storage.
'use strict';
const fs = require('fs');
const {fail, within, sleep, shot, differing, start, menuShown, boxShown, clickButton} =
    require('./lib.js');

// The lines of a verification the builds must agree on.
function verdict(lines) {
    return lines.filter(line => /^(points|name|updates|differs)/.test(line)).join('\n');
}

// expectedFile: lines "FILE<TAB>verdict" as the Linux build printed them (browser.sh).
async function recordedRuns(browser, base, expectedFile) {
    const expected = fs.readFileSync(expectedFile, 'utf8').trim().split('\n')
        .map(line => line.split('\t'));
    for (const [file, linux] of expected) {
        const page = await browser.newPage();
        const lines = [];
        page.on('console', message => lines.push(message.text()));
        // A run of a player's set (player-set-NAME.zxr) with its set in the address.
        const set = file.match(/^player-set-(.+)\.zxr$/);
        await page.goto(`${base}/game/?verify-replay=../recorded/${file}` +
            (set ? `&levels=../recorded/${set[1]}.zxl` : ''));
        await within(120, `the verification of ${file}`,
            () => lines.some(line => line.startsWith('updates:')));
        const web = verdict(lines);
        console.log(`${file}: ${web.replace(/\n/g, ', ')}`);
        if (web !== linux.replace(/\\n/g, '\n')) fail(`${file} gives in the page what the Linux build does not:\n${web}`);
        await page.close();
    }
}

// A replay in the page: the field with the run playing and "Powtórka" in the banner's look
// above the bat; and the link to the newest replay the page's own runs left in the store.
async function shownInThePage(browser, base) {
    const page = await browser.newPage();
    await start(page, `${base}/game/?replay=../recorded/through-level-2.zxr`, []);
    await sleep(1500);
    const a = await shot(page);
    await sleep(300);
    const b = await shot(page);
    // Something moves in the field (the bat, the ball) while nothing is pressed.
    if (differing(a, b, [32, 100, 736, 476]) === 0) fail('the replay stands still in the page');
    // The outlined word stands on the white field above the bat: its black outline there.
    let dark = 0;
    for (let y = 380; y < 470; y++)
        for (let x = 250; x < 550; x++) {
            const i = (y * 800 + x) * 4;
            if (b.data[i] < 90 && b.data[i + 1] < 90 && b.data[i + 2] < 90) dark++;
        }
    if (dark < 300) fail(`no "Powtórka" over the replay (${dark} dark pixels)`);
    await page.close();

    // Shown in the bars beside the picture where there is room for it, as in a wide window.
    const again = await browser.newPage();
    await again.setViewport({width: 1200, height: 608});
    await start(again, `${base}/game/`, []);
    const link = await within(10, 'the link to the last replay', () => again.evaluate(() => {
        const found = document.getElementById('zx-replay');
        return found && found.download && found.href.startsWith('blob:') &&
            getComputedStyle(found).display !== 'none' && found.download;
    }));
    if (!/^\d{8}-\d{6}(-\d+)?\.zxr$/.test(link)) fail(`the last replay's link names ${link}`);
    console.log(`replay shown with "Powtórka" (${dark} dark pixels); the page offers ${link}`);
    await again.close();
}

// At a raised frame rate the page gets animation frames far faster than 60 a second, yet the
// game updates 60 times a second: 10 s of play, counted in the run's replay. Headless Chromium
// keeps its frames at 60 whatever its flags, so the page's animation frames come from a 4 ms
// timer instead, as a 240 Hz display's would.
async function raisedFrameRate(browser, base) {
    const page = await browser.newPage();
    try {
        await page.evaluateOnNewDocument(() => {
            window.requestAnimationFrame = callback => setTimeout(() => callback(performance.now()), 4);
        });
        await start(page, `${base}/game/`, []);
        await within(10, 'the menu', () => menuShown(page));
        const rate = await page.evaluate(() => new Promise(resolve => {
            let frames = 0;
            const begun = performance.now();
            (function count() {
                if (++frames === 200) resolve(frames / ((performance.now() - begun) / 1000));
                else requestAnimationFrame(count);
            })();
        }));
        await page.mouse.click(400, 272);
        const begun = Date.now();
        await sleep(10000);
        await page.keyboard.press('Escape');
        const ended = Date.now();
        await within(10, 'the Escape question', () => boxShown(page));
        await clickButton(page, 'Tak');
        await within(10, 'the menu after Tak', () => menuShown(page));
        // The newest replay's update count, at byte 16 of its file.
        const updates = await page.evaluate(() => {
            const folder = '/store/zembrix/replays';
            const name = FS.readdir(folder).filter(file => file.endsWith('.zxr')).sort().pop();
            const bytes = FS.readFile(`${folder}/${name}`);
            return bytes[16] | bytes[17] << 8 | bytes[18] << 16 | bytes[19] << 24;
        });
        const ups = updates / ((ended - begun) / 1000);
        console.log(`figure: ${rate.toFixed(0)} animation frames a second, ` +
            `${ups.toFixed(2)} updates a second`);
        if (rate < 120) fail(`the frame rate is not raised (${rate.toFixed(0)} a second)`);
        if (ups < 59.4 || ups > 60.6) fail(`${ups.toFixed(2)} updates a second at a raised frame rate`);
    } finally {
        await page.close();
    }
}

module.exports = {recordedRuns, shownInThePage, raisedFrameRate};
