// A player's level set in the page, in a browser profile of its own: imported through the file
// input in the bars beside the picture, offered back for download, chosen in the menu with Right
// and played through with real keys into its own score table, which a reload keeps while
// scoreboard.zxs is never written; and the link to the editor, whose sets go through the
// browser's clipboard.
'use strict';
const fs = require('fs');
const path = require('path');
const {fail, within, sleep, shot, differing, start, menuShown} = require('./lib.js');

// What the page shows and said, for a failure's message.
async function pageState(page, said) {
    const state = await page.evaluate(() => ({
        address: location.href, size: [innerWidth, innerHeight],
        canvas: [document.getElementById('canvas').style.width, document.getElementById('canvas').style.height],
        frames: window.zembrixPage ? zembrixPage.frames.count : null,
        box: document.querySelector('.zx-box')?.textContent ?? null,
        note: document.querySelector('p')?.textContent ?? null}));
    return `${JSON.stringify(state)}; its console: ${JSON.stringify(said.slice(-15))}`;
}

async function levelSets(launch, base) {
    const setFile = path.join(__dirname, '..', 'recorded', 'duet.zxl');
    const browser = await launch('pl', 'profile-levels');
    try {
        const page = await browser.newPage();
        const errors = [];
        const said = [];
        page.on('console', message => said.push(message.text()));
        await start(page, `${base}/game/`, errors);
        await within(10, 'the menu', () => menuShown(page));
        await page.setViewport({width: 1200, height: 608});
        // The controls stand in the bar left of the picture (x 200 to 1000), never over it.
        const right = await within(10, 'the level sets\' controls', () => page.evaluate(() => {
            const bar = document.getElementById('zx-levels');
            return bar && getComputedStyle(bar).display !== 'none' && bar.getBoundingClientRect().right;
        }));
        if (right > 200) fail(`the level sets' controls reach x ${right}, over the picture`);
        const input = await page.$('#zx-levels input[type=file]');
        await Promise.all([page.waitForNavigation({timeout: 20000}), input.uploadFile(setFile)]);
        await page.setViewport({width: 800, height: 608});
        const builtIn = await within(30, 'the menu after the import', () => menuShown(page))
            .catch(async error => fail(`${error.message}; the page: ${await pageState(page, said)}`));
        const saved = await within(10, 'the set\'s download link', () => page.evaluate(async () => {
            const link = document.querySelector('#zx-levels a[download="duet.zxl"]');
            return link && (await (await fetch(link.href)).text());
        }));
        if (saved !== fs.readFileSync(setFile, 'utf8')) fail(`the set downloads as ${JSON.stringify(saved)}`);
        console.log('ok: duet.zxl imported in the bar beside the picture, and offered back as it was');

        await page.keyboard.press('ArrowRight');
        await sleep(500);
        if (differing(builtIn, await shot(page), [0, 510, 800, 40], 10) < 50)
            fail('Right did not change the set\'s line in the menu');
        await page.mouse.click(400, 272);
        // Each level: Space launches the ball into its one stone, Enter goes on to the next.
        const end = Date.now() + 90000;
        while (!(await page.$('.zx-name'))) {
            if (Date.now() > end) fail('the set\'s two levels did not end in the name form');
            await page.keyboard.press(' ');
            await sleep(1500);
            if (await page.$('.zx-name')) break;
            await page.keyboard.press('Enter');
            await sleep(500);
        }
        await page.keyboard.type('Ola');
        await page.keyboard.press('Enter');
        await within(10, 'the set\'s table written', () =>
            page.evaluate(() => FS.analyzePath('/store/zembrix/scoreboard-duet.zxs').exists));
        await page.evaluate(() => zembrixPage.kept());
        await page.reload();
        await within(30, 'the menu after a reload', () => menuShown(page));
        const kept = await page.evaluate(() => ({
            table: new TextDecoder('latin1').decode(FS.readFile('/store/zembrix/scoreboard-duet.zxs')),
            builtIn: FS.analyzePath('/store/zembrix/scoreboard.zxs').exists}));
        if (!kept.table.includes('Ola') || kept.builtIn)
            fail(`after a reload the set's table holds ${JSON.stringify(kept.table)}; scoreboard.zxs ` +
                `${kept.builtIn ? 'was' : 'was not'} written`);
        console.log('ok: the set played through with real keys; "Ola" kept in scoreboard-duet.zxs ' +
            'over a reload, scoreboard.zxs never written');

        // The editor's link starts the program with --edit, with a way back to the game.
        await page.setViewport({width: 1200, height: 608});
        const editor = await page.waitForSelector('#zx-levels a[href="?edit"]', {visible: true, timeout: 10000});
        await Promise.all([page.waitForNavigation({timeout: 20000}), editor.click()]);
        const started = await within(10, 'the editor\'s page', () => page.evaluate(() =>
            window.Module && Module.arguments.includes('--edit') &&
            document.querySelector('#zx-levels a')?.textContent));
        if (started !== 'Wróć do gry') fail(`the editor's page links "${started}"`);
        console.log('ok: "Edytor poziomów" starts the program with --edit, with a link back');

        // The editor shares sets through the browser's clipboard: a set pasted with Ctrl+V and
        // saved with Ctrl+S lands in the store; Ctrl+C puts the set in hand on the clipboard.
        await browser.defaultBrowserContext().overridePermissions(new URL(base).origin,
            ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
        await page.setViewport({width: 800, height: 608});
        await sleep(1500);
        const text = fs.readFileSync(setFile, 'utf8').replace('title Duet', 'title Wklejony');
        await page.evaluate(value => navigator.clipboard.writeText(value), text);
        for (const key of ['v', 's']) {
            await page.keyboard.down('Control');
            await page.keyboard.press(key);
            await page.keyboard.up('Control');
            await sleep(800);
        }
        const pasted = await within(10, 'the pasted set saved', () => page.evaluate(() => {
            const folder = '/store/zembrix/levels';
            return FS.readdir(folder).filter(name => name.endsWith('.zxl'))
                .map(name => FS.readFile(`${folder}/${name}`, {encoding: 'utf8'}))
                .find(set => set.includes('title Wklejony'));
        }));
        if (!/grid 368 96\nG\n[^]*grid 368 128\nO\n/.test(pasted)) fail(`the pasted set saved as ${pasted}`);
        await page.evaluate(() => navigator.clipboard.writeText(''));
        await page.keyboard.down('Control');
        await page.keyboard.press('c');
        await page.keyboard.up('Control');
        const copied = await within(10, 'the set on the clipboard', () =>
            page.evaluate(() => navigator.clipboard.readText()));
        if (copied !== pasted) fail(`Ctrl+C put ${JSON.stringify(copied)} on the clipboard`);
        if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
        console.log('ok: the editor pastes a set from the browser\'s clipboard, saves it in the ' +
            'store, and copies it back');
    } finally {
        await browser.close();
    }
}

module.exports = {levelSets};
