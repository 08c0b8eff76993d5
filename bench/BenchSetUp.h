// What the painting benchmarks take from their environment, so that one
// figure can be measured on the set-ups users differ in.
#pragma once

// VANTREL_BENCH_DPR: the device pixel ratio painted at (default 1), the
// logical area staying the same.
double BenchPixelRatio();

// VANTREL_BENCH_FONT: a font family that stands for every Japanese font
// the program asks for (default: the program's own choice). Call after the
// application object exists.
void UseBenchFont();
