// SPDX-License-Identifier: MIT
// The page's address holds the request and the seed in its fragment, so a
// link opens the page with the same request (and its odds) and, with a
// seed, the same rolls: #3d6%20skill%2012 or #3d6%20skill%2012&seed=42.

export class PageLink {
  // {request, seed} of a fragment such as location.hash; seed is '' when
  // the link gives none.
  static read(hash) {
    const [request, ...fields] = hash.replace(/^#/, '').split('&');
    const seedField = fields.find((field) => field.startsWith('seed='));
    return {
      request: PageLink.decode(request),
      seed: seedField === undefined ? '' : PageLink.decode(seedField.slice(5))
    };
  }

  // The fragment for request and seed; '' for neither.
  static fragment(request, seed) {
    if (request === '' && seed.trim() === '') return '';
    let fragment = `#${encodeURIComponent(request)}`;
    if (seed.trim() !== '')
      fragment += `&seed=${encodeURIComponent(seed.trim())}`;
    return fragment;
  }

  // Puts the fragment for request and seed in the address, without adding
  // a step to the browser's history.
  static write(request, seed) {
    const fragment = PageLink.fragment(request, seed);
    if (fragment === window.location.hash) return;
    const {pathname, search} = window.location;
    window.history.replaceState(null, '', pathname + search + fragment);
  }

  static decode(text) {
    try {
      return decodeURIComponent(text);
    } catch {
      return text;
    }
  }
}
