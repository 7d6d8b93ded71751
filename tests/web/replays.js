// The recorded runs in the page: each verified by the WebAssembly program (?verify-replay=FILE)
// to the very points, name and updates the Linux build gives for it, one shown in the page
// (?replay=FILE) with "Powtórka" over the field, and the link to the last run's replay kept in
// the browser's storage.
'use strict';
const fs = require('fs');
const {fail, within, sleep, shot, differing, start} = require('./lib.js');

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
        await page.goto(`${base}/game/?verify-replay=../recorded/${file}`);
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

module.exports = {recordedRuns, shownInThePage};
