#pragma once
// At start-up, after the workspace is back: the copies that a program no
// longer running left behind are offered with one question. Yes reopens each
// as a modified editor window with its caret, titled with its file's name (or
// "Untitled") so that Save writes it where it belongs; a window the workspace
// already opened for that file takes the recovered text instead of a second
// window. No deletes the copies. Either way the old copies go; the reopened
// windows keep copies of their own at once.
class CRecoveryStore;

void OfferRecoveredModels(CRecoveryStore& store);
