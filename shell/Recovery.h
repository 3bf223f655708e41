// At start: the drafts of unsaved work that a program which did not end (a crash, a kill, a power
// cut) left behind are offered back, each in a window of its own, changed and under its own file,
// so that a save writes it where it belongs. Declining deletes them, after asking once more.
#pragma once

struct Draft;
class Global;
class Opener;

class Recovery {
public:
    Recovery(Global& global, Opener& opener) : g_(global), opener_(opener) {}

    void Offer();

private:
    // False when the draft could not come back (no free window, unreadable); it is then kept.
    bool Recover(const Draft& draft);

    Global& g_;
    Opener& opener_;
};
