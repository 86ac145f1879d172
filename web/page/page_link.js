// SPDX-License-Identifier: MIT
// The page's address holds the request and the seed in its fragment, so a
// link opens the page with the same request (and its odds) and, with a
// seed, the same rolls: #3d6%20skill%2012 or #3d6%20skill%2012&seed=42.
// A compared request follows as &cmp=REQUEST, each favourite as
// &fav=NAME,REQUEST, all URL-encoded.

export class PageLink {
  // {request, seed, compared, favourites: [[name, request], ...]} of a
  // fragment such as location.hash; seed and compared are '' when the link
  // gives none.
  static read(hash) {
    const [request, ...fields] = hash.replace(/^#/, '').split('&');
    const field = (name) => {
      const found = fields.find((field) => field.startsWith(`${name}=`));
      return found === undefined ?
          '' :
          PageLink.decode(found.slice(name.length + 1));
    };
    const favourites =
        fields
            .filter((field) => field.startsWith('fav=') && field.includes(','))
            .map((field) => field.slice(4).split(',', 2).map(PageLink.decode));
    return {
      request: PageLink.decode(request),
      seed: field('seed'),
      compared: field('cmp'),
      favourites
    };
  }

  // The fragment for request, seed, compared and favourites; '' for none.
  static fragment(request, seed, compared = '', favourites = []) {
    if (request === '' && seed.trim() === '' && compared === '' &&
        favourites.length === 0)
      return '';
    let fragment = `#${encodeURIComponent(request)}`;
    if (seed.trim() !== '')
      fragment += `&seed=${encodeURIComponent(seed.trim())}`;
    if (compared !== '') fragment += `&cmp=${encodeURIComponent(compared)}`;
    for (const [name, saved] of favourites) {
      fragment +=
          `&fav=${encodeURIComponent(name)},${encodeURIComponent(saved)}`;
    }
    return fragment;
  }

  // Puts the fragment in the address, without adding a step to the
  // browser's history.
  static write(request, seed, compared, favourites) {
    const fragment = PageLink.fragment(request, seed, compared, favourites);
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
