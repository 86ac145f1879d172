// SPDX-License-Identifier: MIT
// The playground: rolls requests through the module's own DiceMain, compiled
// to WebAssembly in the npm package (rollwright.js), and shows the exact odds
// of the request as it is typed, computed in a worker so that typing never
// waits for them. Nothing is fetched but this page's own files.
import {DicePad} from './dice_pad.js';
import {Favourites} from './favourites.js';
import {ObservedRolls} from './observed_rolls.js';
import {OddsPanel} from './odds_panel.js';
import {OddsWorkerClient} from './odds_worker_client.js';
import {keepOffline} from './offline.js';
import {PageLink} from './page_link.js';
import {ReplyList} from './reply_list.js';
import {RequestHistory} from './request_history.js';
import {SeedField} from './seed_field.js';

const ODDS_DELAY_MS = 200;     // after the last key, before the odds are asked
const WORKING_DELAY_MS = 300;  // before a slow answer's wait is shown

// The help's limits, as the engine holds them.
function showLimits(facts) {
  for (const shown of document.querySelectorAll('[data-fact]')) {
    shown.textContent = String(facts[shown.dataset.fact]);
  }
}

class Playground {
  // rollwright: the npm package's module.
  constructor(rollwright) {
    // The limits of a request and of a seed, the start of every error reply
    // and the words of each outcome, as the engine holds them.
    const facts = {...rollwright.limits, ...rollwright.outcomes};
    this.request = document.getElementById('request');
    this.roll = document.getElementById('roll');
    this.seed = new SeedField(
        document.getElementById('seed'), document.getElementById('seed-error'),
        rollwright.Roller, facts.maxSeed);
    this.replies = new ReplyList(document.getElementById('replies'), facts);
    this.panel = new OddsPanel(
        document.querySelector('section.odds'), facts, () => this.writeLink());
    this.observed = new ObservedRolls(facts.grades.map(([, name]) => name));
    showLimits(facts);
    this.odds = new OddsWorkerClient();
    this.history = new RequestHistory(this.request, () => this.showOdds());
    this.pad = new DicePad(
        document.getElementById('dice-pad'), this.request, facts,
        () => this.showOdds());
    this.favourites = new Favourites(
        document.getElementById('favourites-box'),
        (request) => this.rollFavourite(request), () => this.writeLink());
    this.oddsTimer = 0;
    this.workingTimer = 0;
  }

  start() {
    document.getElementById('roll-form').addEventListener('submit', (event) => {
      event.preventDefault();
      this.rollRequest();
      // On a touch screen the focus stays where it was: the field's
      // keyboard would rise over the reply.
      if (!window.matchMedia('(pointer: coarse)').matches) {
        this.request.focus({preventScroll: true});
      }
    });
    this.request.addEventListener('input', () => this.requestTyped());
    this.seed.input.addEventListener('input', () => this.seedTyped());
    const saveFavourite = () => this.favourites.save(this.request.value);
    document.getElementById('save-favourite')
        .addEventListener('click', saveFavourite);
    document.getElementById('favourite-name')
        .addEventListener('keydown', (event) => {
          if (event.key === 'Enter' && !event.isComposing) saveFavourite();
        });
    document.getElementById('clear-replies').addEventListener('click', () => {
      this.replies.clear();
      this.request.focus();
    });
    for (const example of document.querySelectorAll('.examples button')) {
      example.addEventListener('click', () => {
        this.request.value = example.textContent;
        this.request.focus();
        this.showOdds();
      });
    }
    window.addEventListener('hashchange', () => this.openLink());
    this.request.disabled = false;
    document.getElementById('loading').toggleAttribute('hidden', true);
    this.openLink();
    this.request.focus();
  }

  // Puts the address's request and seed into the fields, seeds, keeps its
  // favourites, and shows the request's odds.
  openLink() {
    const link = PageLink.read(window.location.hash);
    this.request.value = link.request;
    this.seed.input.value = link.seed;
    this.favourites.merge(link.favourites);
    this.seedTyped();
    if (link.compared === '') {
      this.panel.compareWith('', null);
      this.showOdds();
      return;
    }
    const compare = (odds) => {
      this.panel.compareWith(link.compared, odds);
      this.showOdds();
    };
    this.odds.compute(link.compared, compare, () => compare(null));
  }

  writeLink() {
    PageLink.write(
        this.request.value, this.seed.input.value,
        this.panel.compared?.request ?? '', this.favourites.saved);
  }

  rollFavourite(request) {
    this.request.value = request;
    this.rollRequest();
    this.showOdds();
  }

  rollRequest() {
    if (!this.seed.valid) return;
    const request = this.request.value;
    if (request.trim() === '') return;  // as at the tool's prompt
    const {roll, dice} = this.seed.roller.rollWithDice(request);
    const rolled =
        {reply: roll.reply, dice, hint: roll.hint, sets: roll.sets ?? []};
    this.replies.add(request, rolled);
    this.replies.showNewest();
    this.observed.add(request, rolled.sets);
    this.panel.observe(request, this.observed.of(request));
    this.history.add(request);
  }

  seedTyped() {
    this.roll.disabled = !this.seed.apply();
    this.writeLink();
  }

  // A key supersedes the odds still being computed, then waits for the next.
  requestTyped() {
    this.odds.cancel();
    clearTimeout(this.workingTimer);
    clearTimeout(this.oddsTimer);
    this.oddsTimer = setTimeout(() => this.showOdds(), ODDS_DELAY_MS);
  }

  showOdds() {
    clearTimeout(this.oddsTimer);
    clearTimeout(this.workingTimer);
    const request = this.request.value;
    this.writeLink();
    this.pad.show();
    const began = performance.now();
    const shown = () => {
      clearTimeout(this.workingTimer);
      this.panel.root.dataset.millis =
          String(Math.round(performance.now() - began));
    };
    this.workingTimer =
        setTimeout(() => this.panel.showWorking(request), WORKING_DELAY_MS);
    this.odds.compute(
        request,
        (odds, csv) => {
          shown();
          this.panel.show(request, odds, csv, this.observed.of(request));
        },
        (message) => {
          shown();
          this.panel.showFailure(request, message);
        });
  }
}

// Loads the package (a failure is shown, not thrown), then the playground.
function loadPackage() {
  return import('./rollwright.js');
}

function startPlayground(rollwright) {
  const playground = new Playground(rollwright);
  playground.start();
  keepOffline(
      () => playground.replies.addedHere === 0,
      document.getElementById('loading'));
  document.body.dataset.ready = String(Math.round(performance.now()));
}

loadPackage().then(startPlayground).catch((error) => {
  const loading = document.getElementById('loading');
  loading.textContent = `The module could not be loaded: ${error}`;
  loading.className = 'status error';
});
