// The web page in headless Chromium (or Firefox through WebDriver BiDi, with
// ZEMBRIX_BROWSER=firefox) driven by puppeteer-core, with real key and mouse events: the menu
// against the Linux build's frame, the sound and its mute key, the full screen, a whole run
// with the Escape question, the name form and the score table kept over a reload, a gamepad in
// the game, its boxes and the name form, a damaged pack, a browser without WebAssembly, and a
// program that cannot be fetched; first, the game's language in a German and a French browser.
// Prints the figures of the page.
// Then a player's level set (levels.js) and the recorded runs (replays.js).
// Usage: node page.js BASE_URL LINUX_MENU_PNG WORK_DIR LINUX_REPLAYS (LINUX_MENU_PNG ends in
// "-pl.png"; the German and English menus lie beside it as "-de.png" and "-en.png")
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const {PNG} = require('pngjs');

const [base, linuxMenuFile, work, linuxReplays] = process.argv.slice(2);
const linuxMenu = PNG.sync.read(fs.readFileSync(linuxMenuFile));
const firefox = process.env.ZEMBRIX_BROWSER === 'firefox';

const {fail, within, sleep, shot, rgb, differing, mean, saturated, batX, ballOnBat, ballX, menuShown,
    holdKey, boxShown, clickButton, start, tapAudioOutput} = require('./lib.js');
const {recordedRuns, shownInThePage, raisedFrameRate} = require('./replays.js');
const {levelSets} = require('./levels.js');

// Level 1: three rows of nine 64 x 32 stones from (112, 128).
const stoneCells = [];
for (let row = 0; row < 3; row++)
    for (let column = 0; column < 9; column++)
        stoneCells.push([112 + 64 * column, 128 + 32 * row, 64, 32]);

// The menu's regions, as the Linux end-to-end tests know them.
const menuRegions = {
    logo: [81, 16, 638, 158],
    'button Graj': [320, 248, 160, 48],
    'button Tabela wyników': [320, 312, 160, 48],
    'button Info': [320, 376, 160, 48],
    'button Wyjście': [320, 440, 160, 48],
    'whole frame': [0, 0, 800, 608],
};

async function openScores(page) {
    await page.mouse.click(400, 336);
    await sleep(700);
    const picture = await shot(page);
    await page.keyboard.press('Escape');
    await within(10, 'the menu after the score table', () => menuShown(page));
    return picture;
}

async function menuAgainstLinux(page) {
    const firstFrame = await start(page, `${base}/game/`, []);
    await page.mouse.move(790, 600);
    await within(10, 'the menu', () => menuShown(page));
    await sleep(500);
    const web = await shot(page);
    fs.writeFileSync(path.join(work, 'web-menu.png'), PNG.sync.write(web));
    // SDL blends the pictures' translucent edges with its x86 vector code on Linux and with its
    // plain C code in WebAssembly, which round differently: by up to 2 of 255.
    for (const [name, region] of Object.entries(menuRegions)) {
        const count = differing(web, linuxMenu, region);
        const beyond = differing(web, linuxMenu, region, 2);
        console.log(`menu ${name}: ${count} pixels differ from the Linux build's, ${beyond} by more than 2`);
        if (beyond !== 0) fail(`the menu's ${name} differs from the Linux build's frame`);
    }
    console.log(`figure: first menu frame ${firstFrame.toFixed(0)} ms after navigation`);

    // A larger window: the picture grows to its height, keeping its shape, and the game draws
    // it at that size (the logo's orange where the scale puts it).
    await page.setViewport({width: 1000, height: 700});
    await within(5, 'the picture fitted to 1000 x 700', () =>
        page.evaluate(() => canvas.width === 921 && canvas.height === 700));
    await within(5, 'the menu at the larger size', async () => {
        const [r, g, b] = rgb(PNG.sync.read(await page.screenshot()), 39 + 161, 127);
        return r > 0xF0 && g > 0x90 && g < 0xC0 && b < 0x30;
    });
    console.log('ok: the picture fits a larger window with its shape kept');
}

// Loses every life: launches whenever the ball waits and drives the bat to the wall away from
// the ball. Resolves when the name form shows.
async function loseRun(page) {
    const end = Date.now() + 150000;
    let launches = 0;
    while (!(await page.$('.zx-name'))) {
        if (Date.now() > end) fail(`no name form after ${launches} launches`);
        const picture = await shot(page);
        const bat = batX(picture);
        if (bat !== null && ballOnBat(picture, bat)) {
            await page.keyboard.press(' ');
            await holdKey(page, bat < 352 ? 'd' : 'a', 1000);
            launches++;
        } else if (bat !== null) {
            const ball = ballX(picture);
            if (ball !== null && ball > bat - 150 && ball < bat + 246)
                await holdKey(page, ball < 400 ? 'd' : 'a', 1000);
        }
        await sleep(300);
    }
    return launches;
}

// The bytes the Linux build writes for one record: the count, the name in Windows-1250 padded
// with zeros to 32 bytes, and the points, little-endian.
function tableBytes(name, points) {
    const bytes = Buffer.alloc(40);
    bytes.writeUInt32LE(1, 0);
    name.copy(bytes, 4);
    bytes.writeUInt32LE(points, 36);
    return bytes;
}

async function wholeRun(page) {
    const errors = [];
    await start(page, `${base}/game/`, errors);
    await within(10, 'the menu', () => menuShown(page));
    const emptyScores = await openScores(page);

    await page.mouse.click(400, 272);
    await within(10, 'the play field', async () => saturated(mean(await shot(page), [32, 580, 736, 20])));
    let level;
    await within(20, 'a still field', async () => {
        const a = await shot(page);
        await sleep(500);
        level = await shot(page);
        return differing(a, level, [0, 0, 800, 608]) === 0;
    });
    const start0 = batX(level);
    await holdKey(page, 'd', 500);
    const right = batX(await shot(page));
    await holdKey(page, 'a', 500);
    const left = batX(await shot(page));
    if (!(right > start0 && left < right)) fail(`a and d moved the bat ${start0} -> ${right} -> ${left}`);
    console.log(`ok: d and a move the bat (${start0} -> ${right} -> ${left})`);

    await page.keyboard.press(' ');
    const counted = await page.evaluate(() => zembrixPage.frames.count);
    await sleep(2000);
    const fps = (await page.evaluate(() => zembrixPage.frames.count) - counted) / 2;
    console.log(`figure: ${fps.toFixed(1)} frames per second in play`);

    await page.keyboard.press('Escape');
    const question = await within(10, 'the Escape question', () => boxShown(page));
    if (question.caption !== 'Zembrix' || question.buttons.join() !== 'Tak,Nie' ||
        question.text !== 'Jesteś pewny, że chcesz wróćić do menu?')
        fail(`the question shows ${JSON.stringify(question)}`);
    const stopped = await page.evaluate(() => zembrixPage.frames.count);
    await sleep(300);
    if ((await page.evaluate(() => zembrixPage.frames.count)) !== stopped)
        fail('the game went on behind the question');
    await clickButton(page, 'Nie');
    await within(5, 'the play after Nie', async () => !(await boxShown(page)) &&
        (await page.evaluate(() => zembrixPage.frames.count)) > stopped + 10);
    console.log('ok: Escape asks in the page, and "Nie" goes on');

    const launches = await loseRun(page);
    const offered = await page.$eval('.zx-name input', field => field.value);
    if (offered !== '') fail(`the name form offers "${offered}"`);
    await page.keyboard.type('Zażółć');
    await page.keyboard.press('Enter');
    await within(5, 'the name form closing', async () => !(await page.$('.zx-name')));
    // The game writes the table as the form's answer reaches it, and the page keeps it.
    await within(5, 'the table written', () =>
        page.evaluate(() => FS.analyzePath('/store/zembrix/scoreboard.zxs').exists));
    await page.evaluate(() => zembrixPage.kept());
    const stored = Buffer.from(await page.evaluate(() =>
        Array.from(FS.readFile('/store/zembrix/scoreboard.zxs'))));

    await sleep(1000);
    const lost = await shot(page);
    let points = 0;
    for (const cell of stoneCells) {
        if (saturated(mean(lost, cell))) continue;
        const [r, , b] = mean(level, cell);
        points += r > b ? 50 : 10;
    }
    const expected = tableBytes(Buffer.from([0x5a, 0x61, 0xbf, 0xf3, 0xb3, 0xe6]), points);
    if (!stored.equals(expected))
        fail(`the stored table ${stored.toString('hex')} is not ${expected.toString('hex')}`);
    console.log(`ok: ${launches} launches; "Zażółć" and ${points} points stored as the Linux build writes them`);

    await page.keyboard.press('Escape');
    await within(10, 'the Escape question', () => boxShown(page));
    await clickButton(page, 'Tak');
    await within(10, 'the menu after Tak', () => menuShown(page));
    const scores = await openScores(page);
    if (differing(emptyScores, scores, [16, 103, 768, 47]) < 50) fail('place 1 shows no run');
    if (differing(emptyScores, scores, [16, 152, 768, 456]) !== 0) fail('places 2 to 10 changed');

    await page.reload();
    await within(30, 'the menu after a reload', () => menuShown(page));
    const again = await openScores(page);
    if (differing(scores, again, [0, 0, 800, 608]) !== 0) fail('the table differs after a reload');
    if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
    console.log('ok: the score table shows the run in place 1, and again after a reload');
}

// F11 and Alt+Enter, pressed as a person does, put the whole page in the full screen (the boxes
// stand over the picture) and take it out again. The page then has the window's size, not the
// test's: in the full screen the game's window (the canvas) takes the size that fits the screen,
// and after it the size that fits the window again.
async function fullScreen(page) {
    const errors = [];
    await start(page, `${base}/game/`, errors);
    await within(10, 'the menu', () => menuShown(page));
    await page.setViewport(null);
    // The element in the full screen (HTML for the whole page, or null), and the picture's size
    // once it fits the page's view; null while it does not.
    const seen = () => page.evaluate(() => {
        const scale = Math.min(innerWidth / 800, innerHeight / 608);
        const fitted = canvas.width === Math.floor(800 * scale) && canvas.height === Math.floor(608 * scale);
        const full = document.fullscreenElement && document.fullscreenElement.tagName;
        return fitted ? `${full} ${canvas.width}x${canvas.height}` : null;
    });
    const windowed = await within(5, 'the picture fitted to the window', seen);
    const sizes = [];
    for (const keys of [['F11'], ['F11'], ['Alt', 'Enter'], ['Alt', 'Enter']]) {
        for (const key of keys) await page.keyboard.down(key);
        for (const key of [...keys].reverse()) await page.keyboard.up(key);
        const full = sizes.length % 2 === 0;
        sizes.push(await within(5, `the full screen ${full ? 'on' : 'off'} after ${keys.join('+')}`,
            async () => {
                const now = await seen();
                return now && now.startsWith(full ? 'HTML' : 'null') && now;
            }));
    }
    if (!windowed.startsWith('null') || sizes[1] !== windowed || sizes[3] !== windowed ||
        sizes[0] !== sizes[2] || sizes[0].split(' ')[1] === windowed.split(' ')[1])
        fail(`the picture is ${windowed}, then ${sizes.join(', ')}`);
    await page.setViewport({width: 800, height: 608});
    await within(5, 'the menu after the full screen', () => menuShown(page));

    // A kept setting "fullscreen = on" (as a page that let F11 reach the game wrote it) still
    // starts the picture fitted to the page, as the Linux build draws it: the page owns the full
    // screen (SDL's own would draw it too small, with black edges).
    await page.evaluate(() => new Promise((resolve, reject) => {
        FS.writeFile('/store/zembrix/settings.ini', 'fullscreen = on\n');
        FS.syncfs(false, error => (error ? reject(error) : resolve()));
    }));
    await page.reload();
    await page.mouse.move(790, 600);
    await within(10, 'the menu fitted to the page with "fullscreen = on" kept', async () =>
        (await seen()) === 'null 800x608' &&
        differing(await shot(page), linuxMenu, menuRegions['whole frame'], 2) === 0);
    if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
    console.log(`ok: F11 and Alt+Enter put the page in the full screen and take it out (the ` +
        `picture ${windowed.split(' ')[1]} in the window, ${sizes[0].split(' ')[1]} in the full screen); ` +
        'a kept "fullscreen = on" starts the picture fitted to the page');
}

// Run in the page before its scripts: the browser's gamepads are one scripted pad in the standard
// layout, window.testPad, whose buttons the test presses.
function plugTestPad() {
    window.testPad = {id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
        axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
    navigator.getGamepads = () => [window.testPad];
}

const padButton = {A: 0, B: 1, Up: 12, Down: 13, Right: 15};

// Presses the test pad's buttons one after another, each held for 200 ms as a thumb does.
async function pressPad(page, ...names) {
    for (const name of names) {
        const set = down => page.evaluate((index, down) => {
            testPad.buttons[index] = {pressed: down, value: down ? 1 : 0};
        }, padButton[name], down);
        await set(true);
        await sleep(200);
        await set(false);
        await sleep(200);
    }
}

// A gamepad alone: the game reads it through SDL (the menu, the field's B), and the page's boxes
// and name form answer it as the Linux build's do (A chooses, B says "Nie" or cancels, right
// moves the focus); the press that opened a box does not answer it, and the one that answered
// never reaches the game (the ball stays on the bat after A answered "Nie").
async function gamepad(page) {
    const errors = [];
    await page.evaluateOnNewDocument(plugTestPad);
    await start(page, `${base}/game/`, errors);
    await within(10, 'the menu', () => menuShown(page));
    await pressPad(page, 'Down', 'Down', 'Down', 'A');
    const info = await within(5, 'the Info box', () => boxShown(page));
    if (info.caption !== 'Info' || info.buttons.join() !== 'OK') fail(`pad A on Info shows ${JSON.stringify(info)}`);
    await pressPad(page, 'A');
    await within(5, 'the Info box closing', async () => !(await boxShown(page)));

    await pressPad(page, 'Up', 'Up', 'A');
    let bat;
    await within(10, 'the ball waiting on the bat', async () => {
        const picture = await shot(page);
        bat = batX(picture);
        return bat !== null && ballOnBat(picture, bat);
    });
    const focused = () => page.evaluate(() => document.activeElement.textContent);
    const answer = async (...names) => {
        await pressPad(page, 'B');
        const question = await within(5, 'the question after pad B', () => boxShown(page));
        if (question.buttons.join() !== 'Tak,Nie') fail(`pad B in play shows ${JSON.stringify(question)}`);
        const focus = [await focused()];
        for (const name of names) {
            await pressPad(page, name);
            if (await boxShown(page)) focus.push(await focused());
        }
        return focus.join();
    };
    const nie = await answer('Right', 'A');
    if (nie !== 'Tak,Nie' || (await boxShown(page))) fail(`pad right and A on the question: focus ${nie}`);
    await sleep(500);
    const after = await shot(page);
    if (!ballOnBat(after, batX(after))) fail('the A that answered "Nie" launched the ball');
    if ((await answer('B')) !== 'Tak' || (await boxShown(page))) fail('pad B did not answer "Nie"');
    await answer('A');
    await within(10, 'the menu after pad A on "Tak"', () => menuShown(page));

    // "Wyjście" ends the game; the name form, as the game would show it, answers the pad.
    await pressPad(page, 'Down', 'Down', 'Down', 'Down', 'A');
    await within(5, 'the end of the game', () => page.$('#ended'));
    const asked = async name => {
        await page.evaluate(() => { zembrixPage.askName('Ala', ['Imie:', 'OK', 'Cancel']).then(typed => { window.typed = typed; }); });
        await within(5, 'the name form', () => page.$('.zx-name'));
        await pressPad(page, name);
        return page.evaluate(() => window.typed);
    };
    const ok = await asked('A');
    const cancelled = await asked('B');
    if (ok !== 'Ala' || cancelled !== null) fail(`the name form gives ${ok} after A and ${cancelled} after B`);
    if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
    console.log('ok: a gamepad plays the menu and the field, and answers the boxes and the name form');
}

async function damagedPack(page) {
    const errors = [];
    const lines = [];
    page.on('console', message => lines.push(message.text()));
    page.on('pageerror', error => errors.push(String(error)));
    await page.goto(`${base}/damaged/`);
    const box = await within(20, 'the box of the damaged pack', () => boxShown(page));
    if (box.text !== 'data.zxp not exists!' || box.buttons.join() !== 'OK')
        fail(`the damaged pack shows ${JSON.stringify(box)}`);
    if (!lines.some(line => line.startsWith('data.zxp: '))) fail('no line says what is wrong with the pack');
    await clickButton(page, 'OK');
    await within(5, 'the box closing', async () => !(await boxShown(page)));
    // The game has ended: the page says so instead of leaving its last picture standing.
    const ended = await within(5, 'the page saying the game ended', () =>
        page.$eval('#ended', element => element.innerText).catch(() => null));
    if (!ended.includes('zakończona') || !ended.includes('ended') || !ended.includes('zu Ende')) fail(`at the end the page says "${ended}"`);
    if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
    console.log(`ok: a damaged pack gives the game's own box (${lines.find(l => l.startsWith('data.zxp: '))})`);
}

// The sound: no audio plays before the first click; then the menu's choice is heard
// at the context's output, not after M, and again after M once more. (Puppeteer's evaluate counts
// as a gesture of the player: until the click the test reads what the page reports on its console.)
async function sound(page) {
    const errors = [];
    page.on('pageerror', error => errors.push(String(error)));
    let reported = null;
    page.on('console', message => {
        if (message.text().startsWith('heard ')) reported = JSON.parse(message.text().slice(6));
    });
    await page.evaluateOnNewDocument(tapAudioOutput);
    await page.evaluateOnNewDocument(() => setInterval(() => console.info('heard ' + JSON.stringify({
        states: heard.contexts.map(context => context.state).join(), peak: heard.peak,
        active: navigator.userActivation.hasBeenActive})), 100));
    await page.goto(`${base}/game/`);
    await within(20, 'the page\'s report', () => reported);
    await within(10, 'the menu', () => menuShown(page));
    await sleep(500);
    // The game opens its audio when the first sound is asked for: before the first click there is
    // no context yet, or one the browser holds suspended.
    const before = JSON.stringify(reported);
    if (!['{"states":"","peak":0,"active":false}', '{"states":"suspended","peak":0,"active":false}']
        .includes(before)) fail(`before the first click: ${before}`);
    const state = () => page.evaluate(() => heard.contexts.map(context => context.state).join());
    // The peak at the output while the score table is chosen in the menu, and the way back (the
    // first time from 0, as reported).
    const choiceHeard = async () => {
        if (reported.active) await page.evaluate(() => { heard.peak = 0; });
        await page.mouse.click(400, 336);
        await sleep(1000);
        const peak = await page.evaluate(() => heard.peak);
        await page.keyboard.press('Escape');
        await within(10, 'the menu after the score table', () => menuShown(page));
        return peak;
    };
    const first = await choiceHeard();
    if ((await state()) !== 'running' || first < 0.01)
        fail(`after the first click the audio is ${await state()}, its peak ${first}`);
    await page.keyboard.press('m');
    const muted = await choiceHeard();
    await page.keyboard.press('m');
    const again = await choiceHeard();
    if (muted !== 0 || again < 0.01) fail(`the choice's peak is ${muted} muted and ${again} after M again`);
    if (errors.length) fail(`errors in the page: ${errors.join('; ')}`);
    console.log(`ok: the audio starts at the first click; a choice peaks at ${first.toFixed(3)} at ` +
        `the output, ${muted} muted, ${again.toFixed(3)} after M again`);
}

async function withoutWebAssembly(page) {
    await page.evaluateOnNewDocument(() => { delete window.WebAssembly; });
    await page.goto(`${base}/game/`);
    const text = await page.$eval('#missing', element => element.innerText);
    if (!text.includes('WebAssembly') || !text.includes('przeglądarki') || !text.includes('browser') ||
        !text.includes('braucht'))
        fail(`without WebAssembly the page says "${text}"`);
    console.log('ok: without WebAssembly the page says so in Polish, English and German');
}

async function programNotLoaded(page) {
    await page.setRequestInterception(true);
    page.on('request', request =>
        request.url().endsWith('/zembrix.wasm') ? request.abort() : request.continue());
    await page.goto(`${base}/game/`);
    const text = await within(10, 'the page saying the game was not loaded', () =>
        page.$eval('#unloaded', element => element.innerText).catch(() => null));
    if (!text.includes('wczytać') || !text.includes('could not be loaded') || !text.includes('geladen'))
        fail(`without its program the page says "${text}"`);
    console.log('ok: a program that cannot be fetched: the page says so in Polish, English and German');
}

// Starts the browser in a language (its interface's and the one it asks pages in) with a
// profile of its own.
function launch(language, profile) {
    return puppeteer.launch({
        // Firefox's audio waits for a sound device, which a server has not: its stand-in plays.
        ...(firefox ? {browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
            args: ['--width=800', '--height=608'], extraPrefsFirefox: {'media.cubeb.force_mock_context': true,
                'intl.accept_languages': language}} :
            // Headless Chromium asks pages in --accept-lang's languages, not in --lang's.
            {executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--window-size=800,608',
                `--lang=${language}`, `--accept-lang=${language}`]}),
        headless: true,
        userDataDir: path.join(work, 'chromium', profile),
        defaultViewport: {width: 800, height: 608},
        protocolTimeout: 20000,
    });
}

// The game in a German browser speaks German, in a French one (a language it lacks) English:
// its menu is the Linux build's under --lang de and --lang en.
async function languages() {
    for (const [language, game] of [['de', 'de'], ['fr', 'en']]) {
        const expected = PNG.sync.read(fs.readFileSync(linuxMenuFile.replace(/-pl\.png$/, `-${game}.png`)));
        const browser = await launch(language, `profile-${language}`);
        try {
            const page = await browser.newPage();
            await start(page, `${base}/game/`, []);
            await page.mouse.move(790, 600);
            await within(10, `the menu in a browser in ${language}`, () => menuShown(page));
            await sleep(500);
            const web = await shot(page);
            fs.writeFileSync(path.join(work, `web-menu-${language}.png`), PNG.sync.write(web));
            const beyond = differing(web, expected, menuRegions['whole frame'], 2);
            if (beyond !== 0) fail(`in a browser in ${language} the menu is not the Linux build's in ${game}: ${beyond} pixels differ`);
            console.log(`ok: a browser in ${language} gets the menu in ${game}`);
        } finally {
            await browser.close();
        }
    }
}

(async () => {
    await languages();
    await levelSets(launch, base);
    const browser = await launch('pl', 'profile');
    try {
        for (const test of [menuAgainstLinux, sound, fullScreen, wholeRun, gamepad, damagedPack, withoutWebAssembly,
            programNotLoaded]) {
            const page = await browser.newPage();
            await test(page);
            await page.close();
        }
        // After the whole run, whose replay the page then offers.
        await recordedRuns(browser, base, linuxReplays);
        await shownInThePage(browser, base);
        await raisedFrameRate(browser, base);
    } finally {
        await browser.close();
    }
})().catch(error => {
    console.error(`FAIL: ${error.stack || error.message}`);
    process.exit(1);
});
