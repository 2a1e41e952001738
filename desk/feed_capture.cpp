// Feed captures: what a feed received, one data set per line in the plain
// format behind the tick it arrived at. Reading one runs the feed's own steps
// on those ticks, and a second after each gap's start, so a capture played on
// the virtual clock gives the unit the lines (silences included) that the
// window gives it live.
#include <string>

#include "desk/feed.h"
#include "script/words.h"

// ---- Types --------------------------------------------------------------------

namespace {

// The steps run so far and the lines they gave.
struct Replay {
    FeedState feed;
    long long dueTick = -1;  // the tick of the data sets not yet stepped; -1 for none
    std::vector<ScriptCommand> step;
    std::vector<ScriptTimedCommand>* lines;
};

// ---- Private helpers ----------------------------------------------------------

void stepAt(Replay& r, long long tick) {
    feedStep(r.feed, tick, r.step);
    for (const ScriptCommand& c : r.step) r.lines->push_back({tick, c});
}

// Steps the data sets due, then the silence a second later when the next
// data comes later than that (or never).
void stepUntil(Replay& r, long long next) {
    if (r.dueTick < 0) return;
    stepAt(r, r.dueTick);
    const long long silence = r.dueTick + FEED_SILENCE_TICKS;
    if (next < 0 || next > silence) stepAt(r, silence);
    r.dueTick = -1;
}

bool readLine(Replay& r, std::string_view line, long long& lastTick, std::string& error) {
    const size_t blank = line.find_first_of(" \t");
    const std::string_view stamp = line.substr(0, blank);
    long long tick = 0;
    if (stamp.empty() || stamp[0] < '0' || stamp[0] > '9' || !wordToInteger(stamp, tick) ||
        tick > SCRIPT_MAX_TICKS) {
        error = "bad tick " + wordQuoted(stamp);
        return false;
    }
    if (tick < lastTick) {
        error = "tick " + std::to_string(tick) + " comes before " + std::to_string(lastTick);
        return false;
    }
    FeedDataSet set;
    const std::string_view data =
        blank == std::string_view::npos ? std::string_view{} : line.substr(blank);
    const FeedReject why = feedParsePlainLine(data, &set);
    if (why != FeedReject::None) {
        error = std::string("data set refused: ") + feedRejectText(why);
        return false;
    }
    if (tick != r.dueTick) stepUntil(r, tick);
    feedAccept(r.feed, set, FeedFormat::Plain);
    r.dueTick = tick;
    lastTick = tick;
    return true;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

bool feedCaptureRead(std::string_view text, std::vector<ScriptTimedCommand>& lines,
                     std::vector<ScriptError>& errors) {
    const size_t errorsBefore = errors.size();
    Replay r;
    r.lines = &lines;
    feedReset(r.feed, "capture");
    long long lastTick = 0;
    for (int number = 1; !text.empty(); ++number) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        line = line.substr(0, line.find('#'));
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string_view::npos) continue;
        std::string error;
        if (readLine(r, line.substr(start), lastTick, error)) continue;
        if (errors.size() - errorsBefore == SCRIPT_MAX_ERRORS) {
            errors.push_back({number, "too many errors; the rest of the capture was not read"});
            return false;
        }
        errors.push_back({number, error});
    }
    stepUntil(r, -1);
    return errors.size() == errorsBefore;
}
