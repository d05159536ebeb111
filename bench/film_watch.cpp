// Plays each player's next box of a folder of real films through auto capture's watch, as the
// tick does: the box's pixels scaled to the sample as the screen copy scales them, one sample
// every interval of the film's time, a sample the same as the last counted at the cost of the
// count. Prints a line a film and player, then a total; exits 1 unless every record is exactly
// what the box showed. The films are decoded by ffmpeg; truth.json beside them says what the
// boxes showed.
//   film_watch FOLDER [FILM...]
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "film_truth.h"
#include "recognition/pair_watch.h"
#include "tessivo.h"

namespace {

const char ColourLetters[] = " RGBYP";

std::string PairText(const BlobPair &pair) {
    return {ColourLetters[pair.upper < 1 || pair.upper > 5 ? 0 : pair.upper],
            ColourLetters[pair.lower < 1 || pair.lower > 5 ? 0 : pair.lower]};
}

// The sample of a box as the screen copy makes it: each sample pixel takes the film pixel under
// its centre (a copy stretched larger repeats pixels), rows bottom-up, 0x00RRGGBB.
void ScaleBox(const std::vector<uint8_t> &frame, int32_t frameWidth, const CaptureRegion &box,
              std::vector<uint32_t> &sample, int32_t width, int32_t height) {
    for (int32_t y = 0; y < height; ++y) {
        const int32_t sourceY = box.y + (int32_t)((2 * y + 1) * (int64_t)box.height / (2 * height));
        uint32_t *row = sample.data() + (size_t)(height - 1 - y) * width;
        for (int32_t x = 0; x < width; ++x) {
            const int32_t sourceX =
                box.x + (int32_t)((2 * x + 1) * (int64_t)box.width / (2 * width));
            const uint8_t *rgb = frame.data() + 3 * ((size_t)sourceY * frameWidth + sourceX);
            row[x] = (uint32_t)rgb[0] << 16 | (uint32_t)rgb[1] << 8 | rgb[2];
        }
    }
}

// The longest run of the shown pairs that the record holds in order.
size_t InOrder(const std::vector<std::string> &shown, const std::vector<std::string> &recorded) {
    std::vector<size_t> last(recorded.size() + 1, 0), now(recorded.size() + 1, 0);
    for (const std::string &pair : shown) {
        for (size_t j = 1; j <= recorded.size(); ++j)
            now[j] = pair == recorded[j - 1] ? last[j - 1] + 1 : std::max(last[j], now[j - 1]);
        last.swap(now);
    }
    return last[recorded.size()];
}

struct Player {
    const char *side = "";
    CaptureRegion box = {0, 0, 0, 0};
    std::vector<std::string> shown;
    int64_t lastFrame = 0;
    PairWatch watch;
    std::vector<uint32_t> sample, lastSample;
    std::vector<std::string> recorded;
    std::vector<int64_t> recordedAt; // the film's frame on screen at each record
};

struct Totals {
    size_t shown = 0, recorded = 0, inOrder = 0, phantom = 0, lost = 0;
};

std::vector<std::string> Words(const std::string &text) {
    std::istringstream words(text);
    std::vector<std::string> list;
    for (std::string word; words >> word;)
        list.push_back(word);
    return list;
}

// One sample of one player, as the tick takes it.
void WatchSample(Player &player, int32_t width, int32_t height, int64_t frame) {
    const bool still = player.sample == player.lastSample;
    const bool settled =
        still ? WatchSameSighting(player.watch, settings.settleTicks)
              : WatchPair(player.watch, SightPair(player.sample.data(), width, height),
                          settings.settleTicks);
    if (settled) {
        player.recorded.push_back(PairText(player.watch.settledPair));
        player.recordedAt.push_back(frame);
    }
    player.lastSample = player.sample;
}

bool PlayFilm(const std::string &folder, const std::string &name, const Json &truth,
              Totals &totals) {
    const int32_t filmWidth = 720, filmHeight = 480, rate = 30;
    const int32_t width = settings.region.width, height = settings.region.height;
    std::vector<Player> players;
    CaptureRegion around = {filmWidth, filmHeight, 0, 0}; // the boxes' rectangle, right and bottom
    for (const char *side : {"left", "right"}) {
        const Json &box = truth["boxes"][side]["next_box"];
        const Json &film = truth["films"][name][side];
        if (box.items.size() != 4 || film.fields.empty())
            continue;
        Player player;
        player.side = side;
        player.box = {(int32_t)box.items[0].number, (int32_t)box.items[1].number,
                      (int32_t)box.items[2].number, (int32_t)box.items[3].number};
        if (player.box.x < 0 || player.box.y < 0 || player.box.width <= 0 ||
            player.box.height <= 0 || player.box.x + player.box.width > filmWidth ||
            player.box.y + player.box.height > filmHeight)
            continue;
        player.shown = Words(film["pairs"].text);
        player.lastFrame = (int64_t)film["last_frame"].number;
        player.sample.resize((size_t)width * height);
        around = {std::min(around.x, player.box.x), std::min(around.y, player.box.y),
                  std::max(around.width, player.box.x + player.box.width),
                  std::max(around.height, player.box.y + player.box.height)};
        players.push_back(player);
    }
    around.width -= around.x;
    around.height -= around.y;
    for (Player &player : players) { // in the decoded picture, which holds the boxes alone
        player.box.x -= around.x;
        player.box.y -= around.y;
    }
    int64_t last = 0;
    for (const Player &player : players)
        last = std::max(last, player.lastFrame);
    const std::string command =
        "ffmpeg -v error -i '" + folder + "/" + name + ".mp4' -frames:v " +
        std::to_string(last + 1) + " -vf scale=" + std::to_string(filmWidth) + ":" +
        std::to_string(filmHeight) + ",crop=" + std::to_string(around.width) + ":" +
        std::to_string(around.height) + ":" + std::to_string(around.x) + ":" +
        std::to_string(around.y) + " -f rawvideo -pix_fmt rgb24 -";
    std::unique_ptr<FILE, int (*)(FILE *)> film(
        players.empty() ? nullptr : popen(command.c_str(), "r"), pclose);
    if (!film) {
        std::printf("%s: not played (%s)\n", name.c_str(),
                    players.empty() ? "no truth" : "no ffmpeg");
        return false;
    }
    const int32_t frameWidth = around.width;
    std::vector<uint8_t> frame((size_t)3 * around.width * around.height);
    // Auto capture is on before the film starts, on a black screen: its first pair is new.
    for (Player &player : players)
        for (int tick = 0; tick < 4; ++tick)
            WatchSample(player, width, height, -1);
    int64_t decoded = -1, sampleMs = 0;
    for (bool more = true; more;) {
        const int64_t wanted = sampleMs * rate / 1000; // the frame on screen at the sample's time
        while (decoded < wanted &&
               (more = std::fread(frame.data(), frame.size(), 1, film.get()) == 1))
            ++decoded;
        more = more && wanted <= last;
        for (Player &player : players)
            if (more && wanted <= player.lastFrame) {
                ScaleBox(frame, frameWidth, player.box, player.sample, width, height);
                WatchSample(player, width, height, wanted);
            }
        sampleMs += settings.interval;
    }
    if (decoded < 0) {
        std::printf("%s: not played (ffmpeg decoded no frame of it)\n", name.c_str());
        return false;
    }
    bool exact = true;
    for (const Player &player : players) {
        const size_t inOrder = InOrder(player.shown, player.recorded);
        const size_t phantom = player.recorded.size() - inOrder,
                     lost = player.shown.size() - inOrder;
        std::printf("%s %-5s shown %3zu  recorded %3zu  in order %3zu  phantom %2zu  lost %2zu\n",
                    name.c_str(), player.side, player.shown.size(), player.recorded.size(), inOrder,
                    phantom, lost);
        totals.shown += player.shown.size();
        totals.recorded += player.recorded.size();
        totals.inOrder += inOrder;
        totals.phantom += phantom;
        totals.lost += lost;
        if (player.recorded != player.shown) { // what it recorded, to read against the truth
            std::string pairs;
            for (size_t i = 0; i < player.recorded.size(); ++i)
                pairs += " " + player.recorded[i] + "@" + std::to_string(player.recordedAt[i]);
            std::printf("  recorded:%s\n", pairs.c_str());
            exact = false;
        }
    }
    return exact;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: film_watch FOLDER [FILM...]\n");
        return 2;
    }
    const std::string folder = argv[1];
    Json truth;
    if (!ReadTruth(folder, "film_watch", truth))
        return 0;
    std::vector<std::string> names(argv + 2, argv + argc);
    if (names.empty())
        for (const auto &film : truth["films"].fields)
            names.push_back(film.first);
    Totals totals;
    bool exact = true;
    for (const std::string &name : names)
        exact = PlayFilm(folder, name, truth, totals) && exact;
    std::printf("total shown %zu  recorded %zu  in order %zu  phantom %zu  lost %zu: %s\n",
                totals.shown, totals.recorded, totals.inOrder, totals.phantom, totals.lost,
                exact ? "every record exact" : "NOT EXACT");
    return exact ? 0 : 1;
}
