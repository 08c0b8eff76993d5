#pragma once

class TData;

// Whether load Index of Data reaches outside the beam: its position, or
// for a distributed load either end of it, lies before 0 or past the span
// (a span that is not positive holds only what stands at 0). Such loads
// are kept as entered; the window only marks them. Ends within a
// billionth of the span of the beam's ends count as on the beam, so that
// a width that reaches the end in rounded sums is not marked.
bool LoadOutsideSpan(const TData& Data, int Index);
