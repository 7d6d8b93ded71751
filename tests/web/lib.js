// Helpers of the web page's browser test (page.js): bounded waits, and reading the page's
// pictures and boxes through puppeteer.
'use strict';
const {PNG} = require('pngjs');

function fail(message) { throw new Error(message); }

// Polls check every 100 ms until it gives a truthy value, for at most seconds.
async function within(seconds, what, check) {
    const end = Date.now() + seconds * 1000;
    for (;;) {
        const value = await check();
        if (value) return value;
        if (Date.now() > end) fail(`${what}: not within ${seconds} s`);
        await new Promise(resolve => setTimeout(resolve, 100));
    }
}

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// A picture of the page, whose 800 x 608 view the game's picture fills: {width, height, data
// (RGBA)}. (A shot of a part of the page would make Chromium resize the view for it.)
async function shot(page) {
    return PNG.sync.read(await page.screenshot());
}

function rgb(picture, x, y) {
    const at = (y * picture.width + x) * 4;
    return [picture.data[at], picture.data[at + 1], picture.data[at + 2]];
}

// Pixels of region [x, y, w, h] that differ between two pictures by more than slack in a channel.
function differing(a, b, [x0, y0, w, h], slack = 0) {
    let count = 0;
    for (let y = y0; y < y0 + h; y++)
        for (let x = x0; x < x0 + w; x++)
            if (rgb(a, x, y).some((value, i) => Math.abs(value - rgb(b, x, y)[i]) > slack)) count++;
    return count;
}

function mean(picture, [x0, y0, w, h]) {
    const sum = [0, 0, 0];
    for (let y = y0; y < y0 + h; y++)
        for (let x = x0; x < x0 + w; x++) rgb(picture, x, y).forEach((v, i) => (sum[i] += v));
    return sum.map(v => v / (w * h));
}

const saturated = ([r, g, b]) => Math.max(r, g, b) - Math.min(r, g, b) >= 0x40;

// The bat's left edge: the first pixel of row 567 between x 32 and 767 that is not near white.
function batX(picture) {
    for (let x = 32; x <= 767; x++) if (rgb(picture, x, 567).some(v => v < 224)) return x;
    return null;
}

// The ball waits on the bat: blue in its middle, white just beside it.
function ballOnBat(picture, bat) {
    const white = (x, y) => rgb(picture, x, y).every(v => v === 255);
    return saturated(mean(picture, [bat + 44, 547, 8, 8])) && white(bat + 39, 550) &&
        white(bat + 56, 550);
}

// The middle x of the flying ball (its blue, #60B3F6) between the stones and the bat, or null.
function ballX(picture) {
    let sum = 0, count = 0;
    for (let y = 100; y < 556; y += 2)
        for (let x = 32; x < 768; x += 2) {
            const [r, g, b] = rgb(picture, x, y);
            if (Math.abs(r - 0x60) < 40 && Math.abs(g - 0xB3) < 40 && Math.abs(b - 0xF6) < 40) {
                sum += x;
                count++;
            }
        }
    return count > 0 ? sum / count : null;
}

// The menu shows: the logo's orange at two places of its letters.
async function menuShown(page) {
    const picture = await shot(page);
    const orange = ([r, g, b]) => r > 0xF0 && g > 0x90 && g < 0xC0 && b < 0x30;
    return orange(rgb(picture, 140, 110)) && orange(rgb(picture, 300, 110)) ? picture : null;
}

async function holdKey(page, key, ms) {
    await page.keyboard.down(key);
    await sleep(ms);
    await page.keyboard.up(key);
}

// The box shown in the page: its caption, text and buttons; null when there is none.
function boxShown(page) {
    return page.evaluate(() => {
        const box = document.querySelector('.zx-box:not(.zx-name)');
        if (!box) return null;
        return {caption: box.querySelector('.zx-caption').textContent,
            text: box.querySelector('.zx-text').textContent,
            buttons: Array.from(box.querySelectorAll('button'), b => b.textContent)};
    });
}

async function clickButton(page, label) {
    const buttons = await page.$$('.zx-box button');
    for (const button of buttons)
        if ((await button.evaluate(b => b.textContent)) === label) return button.click();
    fail(`no button ${label}`);
}

async function start(page, url, errors) {
    page.on('pageerror', error => errors.push(String(error)));
    await page.goto(url);
    return within(30, 'the first frame', () =>
        page.evaluate(() => window.zembrixPage && zembrixPage.frames.count > 0 &&
            zembrixPage.frames.first));
}

// Run in the page before its scripts: every node connected to an audio context's output is
// connected to an analyser too, and window.heard.peak keeps the largest sample that reached the
// output since it was last set to 0.
function tapAudioOutput() {
    window.heard = {peak: 0, contexts: []};
    const connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target, ...rest) {
        if (target instanceof AudioDestinationNode) {
            const context = target.context;
            if (!context.tap) {
                context.tap = context.createAnalyser();
                heard.contexts.push(context);
                const samples = new Float32Array(context.tap.fftSize);
                setInterval(() => {
                    context.tap.getFloatTimeDomainData(samples);
                    for (const sample of samples) heard.peak = Math.max(heard.peak, Math.abs(sample));
                }, 10);
            }
            connect.call(this, context.tap);
        }
        return connect.call(this, target, ...rest);
    };
}

module.exports = {fail, within, sleep, shot, rgb, differing, mean, saturated, batX, ballOnBat, ballX,
    menuShown, holdKey, boxShown, clickButton, start, tapAudioOutput};
