// The read helpers every page back-end runs: the DevTools connection and the program's web zones put
// these statements at the head of each script they evaluate, the companion extension at the head of its
// content script. One text, so that every back-end reports every field alike. Only declarations: the
// host decides the scope they live in.
//
// S: a text property (SVG animated strings included); N: whole pixels; W: the displayed size of a
// picture, or the box of an element without a size of its own; U: upper case; A: an attribute or empty;
// I: the source index; L: the link address; D: the fields of mask F of element e (pos maps elements to
// their source index); R: the fields of every item of a collection, in order.
//
// L gives an HREF the way the browser follows it: the anchor's href property, which honours <base>,
// or the same resolution against the element's base for elements without one. A link with a scheme
// of its own other than the web's (javascript:, mailto:, data: ...) is handed on as written. An empty or
// blank HREF is no link at all, and neither is a relative one that the page's base cannot resolve (in a
// data: frame): handed on, it would point wherever its reader stands, such as the program folder.
const S = v => typeof v === 'string' ? v : (v && typeof v.baseVal === 'string' ? v.baseVal : (v == null ? '' : String(v)));
const N = v => typeof v === 'number' && isFinite(v) ? Math.trunc(v) : 0;
const W = (e, n, box) => typeof e[n] === 'number' ? N(e[n]) : N(e[box]);
const U = v => S(v).toUpperCase();
const A = (e, n) => (e && e.getAttribute && e.getAttribute(n)) || '';
const I = e => Array.prototype.indexOf.call((e.ownerDocument || document).getElementsByTagName('*'), e);
const L = e => {
  const a = A(e, 'href').replace(/^[\u0000-\u0020]+|[\u0000-\u0020]+$/g, '');
  if (!a) return '';
  const scheme = /^([a-z][a-z0-9+.\-]*):/i.exec(a.replace(/[\t\n\r]/g, ''));
  if (scheme && !/^(https?|ftp|file)$/i.test(scheme[1])) return a;
  let r = '';
  if (typeof e.href === 'string') r = e.href;
  else { try { r = new URL(a, e.baseURI).href; } catch (x) { r = a; } }
  return /^[a-z][a-z0-9+.\-]*:/i.test(r) ? r : '';
};
// C: the candidates of a srcset, [address, descriptor], split the way browsers split them (an
// address runs to a blank; commas end it only at its end). B: the largest candidate a picture offers
// in its srcset and in the <source> elements of its <picture>, absolute; by width descriptor where any
// has one, else by density (none is 1x); empty when it offers none.
const C = set => {
  const out = [];
  let i = 0;
  while (i < set.length) {
    while (i < set.length && /[\s,]/.test(set[i])) i++;
    let j = i;
    while (j < set.length && !/\s/.test(set[j])) j++;
    let url = set.slice(i, j);
    let desc = '';
    i = j;
    if (/,$/.test(url)) {
      url = url.replace(/,+$/, '');
    } else {
      let k = i;
      while (k < set.length && set[k] !== ',') k++;
      desc = set.slice(i, k).trim();
      i = k + 1;
    }
    if (url) out.push([url, desc]);
  }
  return out;
};
const B = e => {
  if (U(e.tagName) !== 'IMG') return '';
  const sets = [];
  const p = e.parentElement;
  if (p && U(p.tagName) === 'PICTURE') {
    for (const s of p.children) if (U(s.tagName) === 'SOURCE') sets.push([A(s, 'srcset'), s.baseURI]);
  }
  sets.push([A(e, 'srcset'), e.baseURI]);
  let best = '', bestW = -1, bestX = -1;
  for (const [set, base] of sets) {
    for (const [url, desc] of C(set)) {
      const w = /^(\d+)w$/i.exec(desc);
      const x = /^(\d*\.?\d+)x$/i.exec(desc);
      let href = '';
      try { href = new URL(url, base).href; } catch (err) { continue; }
      if (w) {
        if (+w[1] > bestW) { bestW = +w[1]; best = href; }
      } else if (bestW < 0) {
        const d = x ? +x[1] : (desc ? 0 : 1);
        if (d > bestX) { bestX = d; best = href; }
      }
    }
  }
  return best;
};
const D = (e, F, pos) => {
  const r = [];
  const p = e.parentElement;
  if (F & 1) r.push(U(e.tagName));
  if (F & 2) r.push(S(e.src));
  if (F & 4) r.push(S(e.href));
  if (F & 8) r.push(A(e, 'href'));
  if (F & 16) r.push(W(e, 'width', 'offsetWidth'));
  if (F & 32) r.push(W(e, 'height', 'offsetHeight'));
  if (F & 64) r.push(S(e.type).toLowerCase());
  if (F & 128) r.push(S(e.value));
  if (F & 256) r.push(!!e.checked);
  if (F & 512) r.push(pos ? (pos.has(e) ? pos.get(e) : -1) : I(e));
  if (F & 1024) r.push(p ? U(p.tagName) : '');
  if (F & 2048) r.push(A(p, 'href'));
  if (F & 4096) r.push(S(e.outerHTML));
  if (F & 8192) r.push(S(e.outerText !== undefined ? e.outerText : e.textContent));
  if (F & 16384) r.push(S(e.innerHTML));
  if (F & 32768) r.push(L(e));
  if (F & 65536) r.push(p ? L(p) : '');
  if (F & 131072) r.push(e.complete !== false);
  if (F & 262144) r.push(B(e));
  if (F & 524288) r.push(N(e.naturalWidth));
  if (F & 1048576) r.push(N(e.naturalHeight));
  if (F & 2097152) r.push(p ? S(p.outerHTML) : '');
  return r;
};
// inOrder: the collection holds all elements of the document in order, so an item's position is its
// source index. Other collections look their items up in a map of all elements of their document,
// made once per read.
const R = (items, F, inOrder) => {
  let at = null;
  if ((F & 512) && inOrder) {
    at = { i: 0, has: () => true, get() { return this.i; } };
  } else if (F & 512) {
    at = new Map();
    if (items.length) {
      const all = (items[0].ownerDocument || document).getElementsByTagName('*');
      for (let i = 0; i < all.length; i++) at.set(all[i], i);
    }
  }
  const out = new Array(items.length);
  for (let i = 0; i < items.length; i++) {
    if (inOrder && at) at.i = i;
    out[i] = D(items[i], F, at);
  }
  return out;
};
