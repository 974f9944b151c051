#pragma once
// At start-up, after the workspace is back: the copies that a program no
// longer running left behind are offered with one question, Yes, No or
// Cancel. Yes reopens every copy as a modified editor window with its caret,
// named after its file (or "Untitled") so that Save writes it where it
// belongs: a window the workspace opened for that file, still unchanged,
// takes the text; a second copy of a model gets a window of its own, titled
// as a recovered copy. An old copy goes only once its text is safe elsewhere
// (CRecoveryStore::Adopt). Only No deletes the copies; Cancel, Escape or
// closing the box leaves them for the next start.
class CRecoveryStore;

void OfferRecoveredModels(CRecoveryStore& store);
