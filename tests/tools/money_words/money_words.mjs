// Second source of amounts in words for the dialog library's cross-check:
// writes "amount<TAB>words" lines (UTF-8) for a fixed, seeded list of
// amounts, the words from the npm package `rubles` (pinned by the lock file).
//
//   node money_words.mjs OUTPUT
import { writeFileSync } from 'node:fs';
import { rubles } from 'rubles';

const kopecks = (n) => String(n % 100).padStart(2, '0');
const amounts = [];

// Every ending of rubles and kopecks.
for (let i = 1; i <= 2099; i++) amounts.push(`${i}.${kopecks(i)}`);

// Each group value in the thousands, millions and billions, alone and with
// a small value below it.
const groups = [];
for (let g = 1; g <= 25; g++) groups.push(g);
for (let g = 99; g <= 122; g++) groups.push(g);
groups.push(999);
for (const scale of [1000n, 1000000n, 1000000000n]) {
  for (const g of groups) {
    const value = BigInt(g) * scale;
    amounts.push(`${value}.00`);
    amounts.push(`${value + BigInt(g % 24) + 1n}.${kopecks(g)}`);
  }
}

// Random amounts of 1 to 12 digits (a fixed seed: the same list each run).
let seed = 20240817;
const random = () => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
};
for (let i = 0; i < 20000; i++) {
  const digits = 1 + Math.floor(random() * 12);
  let whole = String(1 + Math.floor(random() * 9));
  for (let d = 1; d < digits; d++) whole += Math.floor(random() * 10);
  amounts.push(`${whole}.${kopecks(Math.floor(random() * 100))}`);
}

const lines = amounts.map((amount) => {
  const words = rubles(amount);
  if (words === null) throw new Error(`no words for ${amount}`);
  return `${amount}\t${words}`;
});
writeFileSync(process.argv[2], lines.join('\n') + '\n');
console.log(`${lines.length} amounts written`);
