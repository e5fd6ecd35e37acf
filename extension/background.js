// The companion's background: the service worker of the Chromium-family package, the background page
// of the Firefox one. It keeps a native-messaging connection to grabnest's host program open while the
// browser runs, answers grabnest's page operations (each request names a tab and a frame), and starts
// grabnest when the toolbar button is clicked.
//
// A request is {id, op, tab, frame, ...}; the answer {id, result} or {id, error: {kind, message}}, where
// kind "gone" says the tab is no longer there. Operations on the browser (tabs, frames, cookies, keys)
// are answered here; every other one goes to the content script of the frame it names.
'use strict';

const api = globalThis.browser || globalThis.chrome;
const HOST = 'org.vorlaken.grabnest';
const button = api.action || api.browserAction;
// Frames listed for a document, as many as grabnest looks at.
const MAX_FRAMES = 100;

let port = null;
// The tab the button was last clicked in, until the user turns to another one, and when the user last
// turned to this browser: grabnest attaches to the browser used last.
const state = { clickedTab: -1, clickedAt: 0, focusedAt: 0 };

class PageFailure extends Error {}
class TabGone extends Error {}

const keepState = () => {
  if (api.storage && api.storage.session) api.storage.session.set({ state }).catch(() => {});
};
const stateRestored = (api.storage && api.storage.session
  ? api.storage.session.get('state').then(stored => { if (stored && stored.state) Object.assign(state, stored.state); })
  : Promise.resolve()).catch(() => {});

const isInt = v => Number.isSafeInteger(v);
const isText = v => typeof v === 'string';
// Addresses a page may be sent to: web and file pages, and the blank page. Anything else (javascript:,
// the browser's own pages, addresses without a scheme) is refused rather than opened in some other way.
const openable = url => isText(url) && (/^(https?|ftp|file):/i.test(url) || url === 'about:blank');

async function tabOf(tab) {
  try {
    return await api.tabs.get(tab);
  } catch (e) {
    throw new TabGone('The tab is closed.');
  }
}

const noReceiver = e => /receiving end does not exist|could not establish connection|no matching message handler/i
  .test(String(e && e.message));

async function inject(tab, frame) {
  if (api.scripting) {
    await api.scripting.executeScript({ target: { tabId: tab, frameIds: [frame] }, files: ['content.js'] });
  } else {
    await api.tabs.executeScript(tab, { file: '/content.js', frameId: frame, matchAboutBlank: true, runAt: 'document_start' });
  }
}

// Sends the request to the content script of its frame. A frame whose document came before the
// extension (or where the browser did not inject it) gets the script first.
async function toFrame(request) {
  const options = { frameId: request.frame };
  let reply;
  try {
    try {
      reply = await api.tabs.sendMessage(request.tab, request, options);
    } catch (e) {
      if (!noReceiver(e)) throw e;
      await inject(request.tab, request.frame);
      reply = await api.tabs.sendMessage(request.tab, request, options);
    }
  } catch (e) {
    await tabOf(request.tab);
    throw new PageFailure(String(e && e.message || e));
  }
  if (!reply || typeof reply !== 'object') throw new PageFailure('The frame did not answer.');
  if ('error' in reply) throw new PageFailure(String(reply.error));
  return reply.result;
}

async function discover() {
  await stateRestored;
  let tab = null;
  if (state.clickedTab >= 0) tab = await api.tabs.get(state.clickedTab).catch(() => null);
  if (!tab) {
    const window = await api.windows.getLastFocused({ windowTypes: ['normal'] }).catch(() => null);
    const tabs = window ? await api.tabs.query({ active: true, windowId: window.id }) : [];
    tab = tabs[0] || null;
  }
  if (!tab) throw new PageFailure('The browser shows no page.');
  return { tab: tab.id, url: tab.url || '', clicked: tab.id === state.clickedTab,
           lastUsed: Math.max(state.clickedAt, state.focusedAt) };
}

// The direct child frames of a frame in the order of their elements in its document. Each child tells
// its place among its parent's frames, and the parent where each place stands in the document; the
// page can change neither. Children that cannot tell (no document a script runs in) follow in the
// browser's order.
async function frames(request) {
  const all = await api.webNavigation.getAllFrames({ tabId: request.tab }).catch(() => null);
  if (!all) {
    await tabOf(request.tab);
    throw new PageFailure('The frames cannot be listed.');
  }
  const children = all.filter(f => f.parentFrameId === request.frame &&
                                   (!f.documentLifecycle || f.documentLifecycle === 'active'));
  if (children.length === 0) return [];
  const [order, places] = await Promise.all([
    toFrame({ op: 'frameOrder', tab: request.tab, frame: request.frame }).catch(() => []),
    Promise.all(children.map(c => toFrame({ op: 'place', tab: request.tab, frame: c.frameId }).catch(() => -1))),
  ]);
  const rank = new Map((Array.isArray(order) ? order : []).map((place, i) => [place, i]));
  const placed = children.map((c, i) => ({ id: c.frameId, i,
                                            rank: rank.has(places[i]) ? rank.get(places[i]) : Infinity }));
  placed.sort((a, b) => a.rank - b.rank || a.i - b.i);
  return placed.slice(0, MAX_FRAMES).map(p => p.id);
}

async function cookieHeader(request) {
  if (!isText(request.url)) throw new PageFailure('No address.');
  const tab = await tabOf(request.tab);
  let storeId = tab.cookieStoreId;
  if (!storeId && api.cookies.getAllCookieStores) {
    const stores = await api.cookies.getAllCookieStores();
    const store = stores.find(s => (s.tabIds || []).includes(request.tab));
    storeId = store && store.id;
  }
  const cookies = await api.cookies.getAll(storeId ? { url: request.url, storeId } : { url: request.url });
  // Browsers send cookies with longer paths first.
  return cookies.map((c, i) => ({ c, i }))
    .sort((a, b) => b.c.path.length - a.c.path.length || a.i - b.i)
    .map(({ c }) => c.name + '=' + c.value).join('; ');
}

// Key presses reach the page as a user's would through the debugger, attached for this one press only;
// where there is none (Firefox), the content script sends synthetic events.
async function key(request) {
  if (!['keyDown', 'rawKeyDown', 'keyUp'].includes(request.type) || !isText(request.key) ||
      !isText(request.code) || !isText(request.text) || !isInt(request.keyCode)) {
    throw new PageFailure('Not a key.');
  }
  await tabOf(request.tab);
  if (!api.debugger) return toFrame({ ...request, frame: 0 });
  const target = { tabId: request.tab };
  const event = { type: request.type, windowsVirtualKeyCode: request.keyCode, nativeVirtualKeyCode: request.keyCode,
                  key: request.key, code: request.code };
  if (request.type === 'keyDown') Object.assign(event, { text: request.text, unmodifiedText: request.text });
  await api.debugger.attach(target, '1.3');
  try {
    await api.debugger.sendCommand(target, 'Input.dispatchKeyEvent', event);
  } finally {
    await api.debugger.detach(target).catch(() => {});
  }
  return true;
}

// Runs in the page's world: clicks the element the content script marked, and takes the mark away.
function clickMarked(token) {
  const e = document.querySelector('[data-vorlaken-click="' + CSS.escape(token) + '"]');
  if (!e) return false;
  e.removeAttribute('data-vorlaken-click');
  e.click();
  return true;
}

async function click(request) {
  // Chromium-family browsers (the ones with a debugger) keep javascript: links from content scripts.
  const pageWorld = !!(api.scripting && api.scripting.executeScript && api.debugger);
  const result = await toFrame({ ...request, pageWorld });
  if (pageWorld && result && typeof result === 'object' && isText(result.clickInPage)) {
    await api.scripting.executeScript({ target: { tabId: request.tab, frameIds: [request.frame] }, world: 'MAIN',
                                        func: clickMarked, args: [result.clickInPage] })
      .catch(e => { throw new PageFailure(String(e && e.message || e)); });
  }
  return true;
}

// The tabs of the window holding the request's tab, in the tab strip's order. Tabs the browser has
// unloaded to save memory have no document to read until the user returns to them, and are left out.
async function windowTabs(request) {
  const tab = await tabOf(request.tab);
  const tabs = await api.tabs.query({ windowId: tab.windowId });
  return tabs.filter(t => isInt(t.id) && (t.id === tab.id || !t.discarded))
    .sort((a, b) => a.index - b.index).map(t => t.id);
}

const operations = {
  discover,
  frames,
  windowTabs,
  cookieHeader,
  key,
  click,
  async navigate(request) {
    if (!openable(request.url)) throw new PageFailure('The browser does not open this address.');
    if (request.frame !== 0) return toFrame(request);
    await tabOf(request.tab);
    await api.tabs.update(request.tab, { url: request.url });
    return true;
  },
  async goBack(request) {
    if (request.frame !== 0) return toFrame({ ...request, op: 'back' });
    await tabOf(request.tab);
    // The browser's own back skips the pages the user never touched (a page opened by the extension
    // is one of them); the page's history.back() goes to the page before, as the debugging port's does.
    // Without a step back there is nothing to do.
    await api.tabs.goBack(request.tab).catch(() => toFrame({ ...request, op: 'back' }).catch(() => {}));
    return true;
  },
  async reload(request) {
    if (request.frame !== 0) return toFrame(request);
    await tabOf(request.tab);
    await api.tabs.reload(request.tab);
    return true;
  },
  async openWindow(request) {
    if (!openable(request.url)) throw new PageFailure('The browser does not open this address.');
    await api.windows.create({ url: request.url });
    return true;
  },
  // The frame's address; where no script runs (a picture or a PDF shown by itself), the browser's.
  async location(request) {
    try {
      return await toFrame(request);
    } catch (e) {
      if (e instanceof TabGone) throw e;
      const frame = await api.webNavigation.getFrame({ tabId: request.tab, frameId: request.frame }).catch(() => null);
      if (!frame) throw e;
      return frame.url;
    }
  },
};

async function answer(request) {
  const id = request.id;
  let reply;
  try {
    if (!isInt(id) || !isText(request.op)) throw new PageFailure('Not a request.');
    if (request.op !== 'discover' && (!isInt(request.tab) || !isInt(request.frame) || request.frame < 0)) {
      throw new PageFailure('The request names no frame.');
    }
    const operation = Object.prototype.hasOwnProperty.call(operations, request.op) ? operations[request.op] : toFrame;
    reply = { id, result: await operation(request) };
  } catch (e) {
    reply = { id, error: { kind: e instanceof TabGone ? 'gone' : 'page', message: String(e && e.message || e) } };
  }
  if (reply.result === undefined && !reply.error) reply.result = null;
  if (port) port.postMessage(reply);
}

function showTrouble(text) {
  button.setBadgeText({ text: text ? '!' : '' }).catch(() => {});
  button.setTitle({ title: text ? 'Vorlaken: ' + text : 'Vorlaken' }).catch(() => {});
}

function connect() {
  if (port) return;
  port = api.runtime.connectNative(HOST);
  port.onMessage.addListener(message => {
    if (message && message.event === 'ready') showTrouble('');
    else if (message && 'id' in message) answer(message);
  });
  port.onDisconnect.addListener(p => {
    const error = (p && p.error) || api.runtime.lastError;
    port = null;
    showTrouble(error && error.message ? error.message : 'grabnest is not connected.');
  });
}

async function onButtonClicked(tab) {
  await stateRestored;
  if (tab && isInt(tab.id)) {
    state.clickedTab = tab.id;
    state.clickedAt = Date.now();
    state.focusedAt = state.clickedAt;
    keepState();
  }
  connect();
  port.postMessage({ event: 'button' });
}

button.onClicked.addListener(onButtonClicked);
api.tabs.onActivated.addListener(info => {
  stateRestored.then(() => {
    if (info.tabId !== state.clickedTab && state.clickedTab >= 0) {
      state.clickedTab = -1;
      keepState();
    }
  });
});
api.windows.onFocusChanged.addListener(windowId => {
  if (windowId === api.windows.WINDOW_ID_NONE) return;
  stateRestored.then(() => {
    state.focusedAt = Date.now();
    keepState();
  });
});
// The connection is made whenever this script starts: with the browser, on installation, and when a
// service worker that was stopped is woken by one of these events. The alarm brings back a connection
// that broke, for example while grabnest's host was not registered yet.
api.runtime.onStartup.addListener(connect);
api.runtime.onInstalled.addListener(connect);
api.alarms.create('reconnect', { periodInMinutes: 1 });
api.alarms.onAlarm.addListener(connect);
connect();
