// Velmoro's engine: how far apart two texts are. Every line break, CR LF, LF
// or CR, counts as CR LF; places count code points of the text as given (a
// lone surrogate counts as one), from 0, end excluded.

export type ErrorKind = 'Overflow' | 'FPException' | 'InvalidArgument' | 'BoundsError';

// What one Compare gave, as velmoro-cli --json prints it. An error ends a
// Compare where it is raised: what it did not produce is null or "".
export interface Comparison {
  // Directions 1 to 4: text 1 against text 2, 2 against 1, 1 against itself,
  // 2 against itself.
  scores: [number | null, number | null, number | null, number | null];
  length_factor: number | null;
  // The label and two panels of each status bar: "1-2", "STD: 150", "#: 15".
  status1: [string, string, string];
  status2: [string, string, string];
  // The result as the window shows it, with a full stop.
  result: string | null;
  distance: number | null;
  error: ErrorKind | null;
  // What happened and what to do, ending with the error kind's name.
  message: string | null;
}

export interface ExplainedWord {
  word: string;               // as the scan sees it: normalised
  source: [number, number];   // where it stands in its own text
  target: [number, number] | null;  // where it was found in the other text
  points: number;             // 0 not found, 1 a single point, else following + preceding
  following: number | null;   // the runs, for a word credited by context
  preceding: number | null;
  // Why a word of a completed direction earned nothing: it is not in the
  // target, or its places there were used by earlier words.
  not_found?: 'absent' | 'used';
}

export interface DirectionExplanation {
  direction: 1 | 2 | 3 | 4;
  source: 'text1' | 'text2';
  target: 'text1' | 'text2';
  complete: boolean;          // false: an error ended the scan after these words
  score: number;
  words: ExplainedWord[];
}

// Directions 1 to 4; null for one that never started.
export type Explanation = [
  DirectionExplanation | null, DirectionExplanation | null,
  DirectionExplanation | null, DirectionExplanation | null,
];

// Each throws a TypeError when a text is not a string.
export function compare(text1: string, text2: string): Comparison;
// What velmoro-cli --json --explain prints under "explain".
export function explain(text1: string, text2: string): Explanation;
// Both from one Compare, as velmoro-cli --json --explain prints them.
export function compareExplained(
  text1: string, text2: string): Comparison & { explain: Explanation };
