// The companion's content script, in every frame of every page, in the extension's isolated world: the
// page's scripts share the document but not this script's globals or prototypes, and cannot send it
// anything (it listens to the extension alone, never to window messages). The build puts the field
// helpers (S, A, D, R ...) in front of this text, inside the same scope.
//
// Requests name what they work on by a locator: a list of steps from the document, such as
// [['images'], ['item', 3], ['parent']] or [['forms'], ['item', 0], ['elements']], resolved afresh by
// every request so that no reference into the page outlives it.

const MAX_STEPS = 32;
const MAX_TAG_NAMES = 32;

const roots = {
  images: () => document.images,
  links: () => document.links,
  forms: () => document.forms,
  all: () => document.getElementsByTagName('*'),
  body: () => document.body,
};
// A control named "elements" would hide the form's own property; the prototype's getter cannot be hidden.
const formControls = f => f instanceof HTMLFormElement
  ? Object.getOwnPropertyDescriptor(HTMLFormElement.prototype, 'elements').get.call(f) : [];
const isCollection = v => v != null && typeof v.length === 'number' && !(v instanceof Element);

function resolve(locator) {
  if (!Array.isArray(locator) || locator.length === 0 || locator.length > MAX_STEPS) throw new Error('Not a locator.');
  let value = null;
  locator.forEach((step, i) => {
    if (!Array.isArray(step) || typeof step[0] !== 'string') throw new Error('Not a locator.');
    const name = step[0];
    if (i === 0 && name === 'tagged') {
      // The elements of some tag names (upper case) in document order: a page of many thousand elements
      // costs a command that looks at links alone far less than reading them all.
      const names = step[1];
      if (!Array.isArray(names) || names.length > MAX_TAG_NAMES || !names.every(n => typeof n === 'string')) {
        throw new Error('Not a locator.');
      }
      value = Array.prototype.filter.call(document.getElementsByTagName('*'),
                                          e => names.includes(String(e.tagName).toUpperCase()));
    } else if (i === 0) {
      if (!Object.prototype.hasOwnProperty.call(roots, name)) throw new Error('Not a locator.');
      value = roots[name]();
    } else if (name === 'item') {
      if (!Number.isSafeInteger(step[1]) || step[1] < 0) throw new Error('Not a locator.');
      value = isCollection(value) && step[1] < value.length ? value[step[1]] || null : null;
    } else if (name === 'parent') {
      value = value instanceof Element ? value.parentElement : null;
    } else if (name === 'elements') {
      value = value instanceof Element ? formControls(value) : null;
    } else {
      throw new Error('Not a locator.');
    }
  });
  return value;
}

function elementAt(locator) {
  const e = resolve(locator);
  if (!(e instanceof Element)) throw new Error('The element is no longer in the page.');
  return e;
}

function itemsAt(locator) {
  const c = resolve(locator);
  if (!isCollection(c)) throw new Error('The collection is gone.');
  return c;
}

const fieldsOf = m => {
  if (!Number.isSafeInteger(m.fields) || m.fields < 0) throw new Error('No fields.');
  return m.fields;
};
const textOf = v => {
  if (typeof v !== 'string') throw new Error('Not a text.');
  return v;
};

// A synthetic key event: pages that accept only events the user made (isTrusted) do not react to it.
function sendKey(m) {
  const type = m.type === 'keyUp' ? 'keyup' : 'keydown';
  const target = document.activeElement || document.body || document.documentElement;
  const init = { key: textOf(m.key), code: textOf(m.code), keyCode: m.keyCode, which: m.keyCode,
                 bubbles: true, cancelable: true, composed: true };
  const proceed = target.dispatchEvent(new KeyboardEvent(type, init));
  if (type === 'keydown' && m.type === 'keyDown' && m.text && proceed) {
    target.dispatchEvent(new KeyboardEvent('keypress', { ...init, charCode: m.text.charCodeAt(0) }));
  }
  return true;
}

const operations = {
  document: () => [document.contentType, document.URL, document.title, document.readyState],
  url: () => document.URL,
  title: () => document.title,
  location: () => location.href,
  // This frame's place among its parent's frames (the order they were made in), -1 for a top document.
  place: () => {
    const parent = window.parent;
    if (parent === window) return -1;
    for (let i = 0; i < parent.length; i++) {
      if (parent[i] === window) return i;
    }
    return -1;
  },
  // The places (as above) of this document's frames in the order of their elements in the document.
  frameOrder: () => {
    const order = [];
    for (const owner of document.querySelectorAll('iframe, frame, object')) {
      const inner = owner.contentWindow;
      if (!inner) continue;
      for (let i = 0; i < window.length; i++) {
        if (window[i] === inner) {
          order.push(i);
          break;
        }
      }
    }
    return order;
  },
  length: m => itemsAt(m.locator).length,
  exists: m => resolve(m.locator) != null,
  readItems: m => {
    const items = itemsAt(m.locator);
    return R(items, fieldsOf(m), m.locator.length === 1 && m.locator[0][0] === 'all');
  },
  readElement: m => D(elementAt(m.locator), fieldsOf(m), null),
  attribute: m => A(elementAt(m.locator), textOf(m.name)),
  setChecked: m => {
    elementAt(m.locator).checked = !!m.checked;
    return true;
  },
  setCheckedItems: m => {
    const items = itemsAt(m.locator);
    if (!Array.isArray(m.indexes)) throw new Error('No positions.');
    for (const i of m.indexes) {
      const e = Number.isSafeInteger(i) && i >= 0 && i < items.length ? items[i] : null;
      if (e) e.checked = !!m.checked;
    }
    return true;
  },
  setInnerHtml: m => {
    elementAt(m.locator).innerHTML = textOf(m.html);
    return true;
  },
  setContentEditable: m => {
    elementAt(m.locator).contentEditable = m.editable ? 'true' : 'false';
    return true;
  },
  setBgColor: m => {
    const e = elementAt(m.locator);
    const color = textOf(m.color);
    if ('bgColor' in e) e.bgColor = color;
    else e.setAttribute('bgcolor', color);
    return true;
  },
  // Names may come in the script form (backgroundColor) or the style sheet form (background-color).
  setStyle: m => {
    const e = elementAt(m.locator);
    const name = textOf(m.name).replace(/[A-Z]/g, c => '-' + c.toLowerCase());
    const value = textOf(m.value);
    if (value === '') e.style.removeProperty(name);
    else e.style.setProperty(name, value);
    return true;
  },
  click: m => {
    const e = elementAt(m.locator);
    // A javascript: link runs its address in the page, which the rules of this isolated world forbid in
    // Chromium: the extension clicks it from the page's own world, finding it by a mark made here.
    const link = typeof e.closest === 'function' ? e.closest('a[href], area[href]') : null;
    if (m.pageWorld === true && link && /^\s*javascript:/i.test(link.getAttribute('href') || '')) {
      const token = crypto.randomUUID();
      e.setAttribute('data-vorlaken-click', token);
      return { clickInPage: token };
    }
    e.click();
    return true;
  },
  navigate: m => {
    location.href = textOf(m.url);
    return true;
  },
  back: () => {
    history.back();
    return true;
  },
  reload: () => {
    location.reload();
    return true;
  },
  key: sendKey,
};

api.runtime.onMessage.addListener((message, sender, respond) => {
  // Only the extension's own background talks to this script.
  if (sender.id !== api.runtime.id || sender.tab || !message || typeof message.op !== 'string' ||
      !Object.prototype.hasOwnProperty.call(operations, message.op)) {
    return false;
  }
  try {
    const result = operations[message.op](message);
    respond({ result: result === undefined ? null : result });
  } catch (e) {
    respond({ error: String(e && e.message || e) });
  }
  return false;
});
