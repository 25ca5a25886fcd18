#include "battle/replayFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "system/Digest.h"
#include "system/fileAccess.h"

namespace {

const char* const MAGIC = "VORN replay ";
const size_t MAX_HEADER_BYTES = 4096; // the header with its blank line, far more than it needs
const int RESULT_COUNT = 5;
const char* const RESULT_NAMES[RESULT_COUNT] = {"won", "lost", "left", "restarted", "unfinished"};
const char* const HEADER_KEYS[] = {"campaign", "round",   "character", "seed",  "data",   "arena", "result",
                                   "score",    "earlier", "date",      "steps", "frames", "end"};
// Version 2 has these besides, the checksum last: it covers every byte of the file but its own line.
const char* const HEADER_KEYS_2[] = {"text", "pictures", "check"};
const char* const CHECK_KEY = "check=";
const size_t CHECKPOINT_BYTES = 8; // little-endian
const int MAX_ARENA_SIDE = 32767;  // pixels, as the loader allows
const char* const TRUNCATED = "is cut short: it ends before its last frame";

// A command in the body is its seven fields as unsigned numbers: the held and the clicked actions
// as bit sets by action index; the held buttons, the clicked buttons and faceGiven as one bit set;
// then the two mickeys, the threshold and the facing zig-zagged, so small negative numbers stay
// small. A step is a byte whose bit i says field i follows as a varint, the others being those of
// the step before; 0, the most common byte, repeats the previous command.
const int FIELD_COUNT = 7;
typedef std::array<uint32_t, FIELD_COUNT> Fields;
const uint32_t ACTION_BITS = (1u << ACTION_COUNT) - 1;
const uint32_t FIELD_LIMITS[FIELD_COUNT] = {
    ACTION_BITS, ACTION_BITS, (1u << (2 * MOUSE_BUTTON_COUNT + 1)) - 1, UINT32_MAX, UINT32_MAX,
    UINT32_MAX,  UINT32_MAX};

uint32_t zigzag(int32_t v) {
    return (static_cast<uint32_t>(v) << 1) ^ (v < 0 ? UINT32_MAX : 0u);
}
int32_t unzigzag(uint32_t v) {
    return static_cast<int32_t>((v >> 1) ^ (0u - (v & 1)));
}

uint32_t packBits(const bool* flags, int count) {
    uint32_t bits = 0;
    for (int i = 0; i < count; i++)
        bits |= static_cast<uint32_t>(flags[i]) << i;
    return bits;
}

void unpackBits(uint32_t bits, bool* flags, int count) {
    for (int i = 0; i < count; i++)
        flags[i] = (bits >> i) & 1;
}

Fields pack(const PlayerCommand& c) {
    const int n = MOUSE_BUTTON_COUNT;
    uint32_t buttons = packBits(c.buttonHeld, n) | packBits(c.buttonClicked, n) << n |
                       static_cast<uint32_t>(c.faceGiven) << 2 * n;
    return {packBits(c.actionHeld, ACTION_COUNT),
            packBits(c.actionClicked, ACTION_COUNT),
            buttons,
            zigzag(c.mickeyX),
            zigzag(c.mickeyY),
            zigzag(c.mouseThreshold),
            zigzag(c.facing)};
}

PlayerCommand unpack(const Fields& f) {
    const int n = MOUSE_BUTTON_COUNT;
    PlayerCommand c;
    unpackBits(f[0], c.actionHeld, ACTION_COUNT);
    unpackBits(f[1], c.actionClicked, ACTION_COUNT);
    unpackBits(f[2], c.buttonHeld, n);
    unpackBits(f[2] >> n, c.buttonClicked, n);
    c.faceGiven = (f[2] >> 2 * n) & 1;
    c.mickeyX = unzigzag(f[3]);
    c.mickeyY = unzigzag(f[4]);
    c.mouseThreshold = unzigzag(f[5]);
    c.facing = unzigzag(f[6]);
    return c;
}

void putVarint(std::string& out, uint32_t v) {
    for (; v >= 0x80; v >>= 7)
        out += static_cast<char>((v & 0x7f) | 0x80);
    out += static_cast<char>(v);
}

// The body as it is read; the first fault found is kept, in words that follow the file's path.
struct BodyReader {
    const std::string& bytes;
    size_t pos;
    std::string fault;

    bool fail(const std::string& why) {
        if (fault.empty()) fault = why;
        return false;
    }
    bool varint(uint32_t& v, uint32_t limit) {
        uint64_t value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            if (pos >= bytes.size()) return fail(TRUNCATED);
            uint8_t byte = static_cast<uint8_t>(bytes[pos++]);
            value |= static_cast<uint64_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80)) {
                if (value > limit) break;
                v = static_cast<uint32_t>(value);
                return true;
            }
        }
        return fail("is damaged: it holds a number out of range");
    }
};

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

// Whether name can be used as a file name inside one of the game's folders: a replay names the
// campaign and the unit file the game loads for it, and the shelf names files after them.
bool safeName(const std::string& name) {
    if (name.empty() || name.size() > static_cast<size_t>(REPLAY_MAX_NAME_BYTES) || name == "." ||
        name.find("..") != std::string::npos)
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\') return false;
    return true;
}

// "YYYY-MM-DD HH:MM:SS"
bool wellFormedDate(const std::string& date) {
    const char* pattern = "dddd-dd-dd dd:dd:dd";
    if (date.size() != strlen(pattern)) return false;
    for (size_t i = 0; i < date.size(); i++)
        if (pattern[i] == 'd' ? date[i] < '0' || date[i] > '9' : date[i] != pattern[i]) return false;
    return true;
}

// What makes the fields of a replay other than its frames unusable, in words such as "its
// campaign name is not a safe file name"; empty when they are sound.
std::string whyUnsound(const Replay& r, long steps, long frames) {
    if (!safeName(r.campaign)) return "its campaign name is not a safe file name";
    if (!safeName(r.character)) return "its character name is not a safe file name";
    if (r.round < 0) return "its round is negative";
    if (r.arenaWidth < 0 || r.arenaHeight < 0 || r.arenaWidth > MAX_ARENA_SIDE ||
        r.arenaHeight > MAX_ARENA_SIDE)
        return "its arena size is not one the game can make";
    if (static_cast<unsigned>(r.result) > static_cast<unsigned>(ReplayResult::UNFINISHED))
        return "its result is unknown";
    if (!wellFormedDate(r.date)) return "its date is not of the form YYYY-MM-DD HH:MM:SS";
    if (frames > REPLAY_MAX_FRAMES) return "it has more frames than a replay may hold";
    if (steps > REPLAY_MAX_STEPS) return "it has more steps than a replay may hold";
    return "";
}

// A result outside the enumeration, which only memory gone wrong can hold, is written so that it
// reads back refused.
const char* resultName(ReplayResult result) {
    unsigned i = static_cast<unsigned>(result);
    return i < RESULT_COUNT ? RESULT_NAMES[i] : "unknown";
}

std::string hex(uint64_t value) {
    char text[17];
    snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

bool parseNumber(const std::string& text, long long min, long long max, long long& out) {
    size_t digits = text.size() - (!text.empty() && text[0] == '-' ? 1 : 0);
    if (digits == 0 || digits > 18 ||
        text.find_first_not_of("0123456789", text.size() - digits) != std::string::npos)
        return false;
    out = strtoll(text.c_str(), nullptr, 10);
    return out >= min && out <= max;
}

bool parseHex(const std::string& text, uint64_t& out) {
    if (text.empty() || text.size() > 16 || text.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    out = strtoull(text.c_str(), nullptr, 16);
    return true;
}

// Where a version 2 header keeps its checksum, and the sum it holds.
struct HeaderCheck {
    size_t line = 0; // where the checksum's line begins
    uint64_t sum = 0;
};

// The checksum of a version 2 file: a digest of every byte but those of its own line, which runs
// from checkLine to body, the header's blank line excluded. Any one byte changed changes it.
uint64_t checksum(const std::string& bytes, size_t checkLine, size_t body) {
    Digest d;
    for (size_t i = 0; i < bytes.size(); i++)
        if (i < checkLine || i >= body - 1) d.addByte(static_cast<unsigned char>(bytes[i]));
    return d.h;
}

// Reads the header at the start of bytes, which may hold the whole file or only its start. On
// success out holds every field but the frames, and body where they begin.
bool parseHeader(const std::string& bytes, ReplaySummary& out, size_t& body, std::string& why,
                 HeaderCheck* check = nullptr) {
    const size_t magicLength = strlen(MAGIC);
    if (bytes.empty()) return fail(&why, "is empty");
    if (bytes.compare(0, magicLength, MAGIC) != 0) return fail(&why, "is not a replay file");
    size_t lineEnd = bytes.find('\n');
    long long version = 0;
    if (lineEnd == std::string::npos || lineEnd >= MAX_HEADER_BYTES)
        return fail(&why, bytes.size() < MAX_HEADER_BYTES ? TRUNCATED : "is not a replay file");
    if (!parseNumber(bytes.substr(magicLength, lineEnd - magicLength), 0, 999999, version))
        return fail(&why, "is not a replay file");
    if (version != 1 && version != Replay::VERSION)
        return fail(&why, "was made by another version of the game (format " + std::to_string(version) +
                              "); this game reads format " + std::to_string(Replay::VERSION));
    size_t end = bytes.find("\n\n", lineEnd);
    if (end == std::string::npos || end + 2 > MAX_HEADER_BYTES)
        return fail(&why,
                    bytes.size() < MAX_HEADER_BYTES ? TRUNCATED : "is damaged: its header does not end");
    body = end + 2;
    std::map<std::string, std::string> values;
    for (size_t start = lineEnd + 1; start <= end;) {
        size_t stop = bytes.find('\n', start), equals = bytes.find('=', start);
        if (equals > stop) return fail(&why, "is damaged: a line of its header is not key=value");
        if (!values.emplace(bytes.substr(start, equals - start), bytes.substr(equals + 1, stop - equals - 1))
                 .second)
            return fail(&why, "is damaged: a line of its header is there twice");
        start = stop + 1;
    }
    const char* const unknown = "is damaged: its header lacks a value or holds one the game does not know";
    std::vector<std::string> keys(std::begin(HEADER_KEYS), std::end(HEADER_KEYS));
    if (version > 1) keys.insert(keys.end(), std::begin(HEADER_KEYS_2), std::end(HEADER_KEYS_2));
    if (values.size() != keys.size()) return fail(&why, unknown);
    for (const std::string& key : keys)
        if (!values.count(key)) return fail(&why, unknown);
    Replay& r = out.replay;
    r.version = static_cast<int>(version);
    if (version > 1) {
        size_t checkLine = bytes.rfind('\n', end - 1) + 1;
        uint64_t sum = 0;
        if (bytes.compare(checkLine, strlen(CHECK_KEY), CHECK_KEY) != 0 ||
            !parseHex(values["text"], r.textHash) || !parseHex(values["pictures"], r.pictureHash) ||
            !parseHex(values["check"], sum))
            return fail(&why, unknown);
        if (check) *check = HeaderCheck{checkLine, sum};
    }
    long long round = 0, seed = 0, score = 0, earlier = 0, steps = 0, frames = 0, width = 0, height = 0;
    std::string arena = values["arena"];
    size_t x = arena.find('x');
    int result = 0;
    while (result < RESULT_COUNT && values["result"] != RESULT_NAMES[result])
        result++;
    r.campaign = values["campaign"];
    r.character = values["character"];
    r.date = values["date"];
    r.result = static_cast<ReplayResult>(result);
    if (!parseNumber(values["round"], 0, INT32_MAX, round) ||
        !parseNumber(values["seed"], 0, UINT32_MAX, seed) ||
        !parseNumber(values["score"], INT32_MIN, INT32_MAX, score) ||
        !parseNumber(values["earlier"], INT32_MIN, INT32_MAX, earlier) ||
        !parseNumber(values["steps"], 0, REPLAY_MAX_STEPS, steps) ||
        !parseNumber(values["frames"], 0, REPLAY_MAX_FRAMES, frames) ||
        !parseHex(values["data"], r.dataHash) || !parseHex(values["end"], r.endHash) ||
        x == std::string::npos || !parseNumber(arena.substr(0, x), 0, MAX_ARENA_SIDE, width) ||
        !parseNumber(arena.substr(x + 1), 0, MAX_ARENA_SIDE, height) || result == RESULT_COUNT)
        return fail(&why, unknown);
    r.round = static_cast<int>(round);
    r.seed = static_cast<uint32_t>(seed);
    r.arenaWidth = static_cast<int>(width);
    r.arenaHeight = static_cast<int>(height);
    r.score = static_cast<int>(score);
    r.earlierScore = static_cast<int>(earlier);
    out.steps = static_cast<long>(steps);
    out.frames = static_cast<long>(frames);
    why = whyUnsound(r, out.steps, out.frames);
    if (!why.empty()) why = "is damaged: " + why;
    return why.empty();
}

// Up to limit bytes from the start of the file at path; false with the reason, naming the file.
bool readFileStart(const std::string& path, size_t limit, std::string& bytes, std::string* error) {
    std::string why = whyUnreadable(path);
    if (!why.empty()) return fail(error, describeUnusableFile(path, why));
    // Non-blocking, so a pipe put in place of a replay cannot hold the game; it is refused below.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0)
        why = "cannot be read (" + std::string(strerror(errno)) + ")";
    else if (!S_ISREG(st.st_mode))
        why = "is not a file";
    bytes.clear();
    char chunk[65536];
    while (why.empty() && bytes.size() < limit) {
        ssize_t n = read(fd, chunk, std::min(sizeof chunk, limit - bytes.size()));
        if (n < 0 && errno != EINTR) why = "cannot be read (" + std::string(strerror(errno)) + ")";
        if (n == 0) break;
        if (n > 0) bytes.append(chunk, static_cast<size_t>(n));
    }
    if (fd >= 0) close(fd);
    return why.empty() || fail(error, describeUnusableFile(path, why));
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string whyNotSavable(const Replay& replay) {
    for (const ReplayFrame& frame : replay.frames) {
        if (frame.steps.size() > static_cast<size_t>(REPLAY_MAX_STEPS_PER_FRAME))
            return "one of its frames has more steps than a frame may run";
        if (frame.paused && !frame.steps.empty()) return "one of its paused frames runs steps";
    }
    std::string why = whyUnsound(replay, replay.countSteps(), static_cast<long>(replay.frames.size()));
    if (why.empty() &&
        static_cast<long>(replay.checkpoints.size()) != Replay::countCheckpoints(replay.countSteps()))
        why = "it does not hold a checkpoint for every " + std::to_string(Replay::CHECKPOINT_STEPS) +
              " steps and its end";
    return why;
}

std::string encodeReplay(const Replay& r) {
    std::string out = MAGIC + std::to_string(Replay::VERSION) + "\ncampaign=" + r.campaign +
                      "\nround=" + std::to_string(r.round) + "\ncharacter=" + r.character +
                      "\nseed=" + std::to_string(r.seed) + "\ndata=" + hex(r.dataHash) +
                      "\ntext=" + hex(r.textHash) + "\npictures=" + hex(r.pictureHash) +
                      "\narena=" + std::to_string(r.arenaWidth) + "x" + std::to_string(r.arenaHeight) +
                      "\nresult=" + resultName(r.result) + "\nscore=" + std::to_string(r.score) +
                      "\nearlier=" + std::to_string(r.earlierScore) + "\ndate=" + r.date +
                      "\nsteps=" + std::to_string(r.countSteps()) +
                      "\nframes=" + std::to_string(r.frames.size()) + "\nend=" + hex(r.endHash) + "\n";
    const size_t checkLine = out.size();
    out += CHECK_KEY + hex(0) + "\n\n";
    const size_t body = out.size();
    Fields previous = pack(PlayerCommand());
    for (const ReplayFrame& frame : r.frames) {
        putVarint(out, static_cast<uint32_t>(frame.steps.size()) << 1 | frame.paused);
        for (const PlayerCommand& command : frame.steps) {
            Fields fields = pack(command);
            size_t tag = out.size();
            out += '\0';
            for (int i = 0; i < FIELD_COUNT; i++)
                if (fields[i] != previous[i]) {
                    out[tag] = static_cast<char>(out[tag] | 1 << i);
                    putVarint(out, fields[i]);
                }
            previous = fields;
        }
    }
    for (uint64_t hash : r.checkpoints)
        for (size_t i = 0; i < CHECKPOINT_BYTES; i++)
            out += static_cast<char>(hash >> (8 * i));
    out.replace(checkLine + strlen(CHECK_KEY), 16, hex(checksum(out, checkLine, body)));
    return out;
}

bool decodeReplay(const std::string& bytes, Replay& out, std::string* error) {
    if (bytes.size() > static_cast<size_t>(REPLAY_MAX_FILE_BYTES))
        return fail(error, "is too large to be a replay (over 64 MB)");
    ReplaySummary summary;
    BodyReader in{bytes, 0, ""};
    HeaderCheck check;
    if (!parseHeader(bytes, summary, in.pos, in.fault, &check)) return fail(error, in.fault);
    const size_t body = in.pos;
    Replay& r = summary.replay;
    Fields fields = pack(PlayerCommand());
    long steps = 0;
    // Every frame and step takes at least a byte, so the file's size bounds what is allocated.
    for (long f = 0; f < summary.frames && in.fault.empty(); f++) {
        uint32_t head = 0;
        if (!in.varint(head, static_cast<uint32_t>(REPLAY_MAX_STEPS_PER_FRAME) << 1 | 1)) break;
        r.frames.emplace_back();
        ReplayFrame& frame = r.frames.back();
        frame.paused = head & 1;
        uint32_t count = head >> 1;
        if (frame.paused && count > 0) in.fail("is damaged: one of its paused frames runs steps");
        if (steps + count > summary.steps) in.fail("is damaged: it has more steps than its header says");
        for (uint32_t s = 0; s < count && in.fault.empty(); s++) {
            if (in.pos >= bytes.size()) in.fail(TRUNCATED);
            uint8_t tag = in.fault.empty() ? static_cast<uint8_t>(bytes[in.pos++]) : 0;
            if (tag >> FIELD_COUNT) in.fail("is damaged: a command in it is not one the game writes");
            for (int i = 0; i < FIELD_COUNT && in.fault.empty(); i++)
                if (tag >> i & 1) in.varint(fields[i], FIELD_LIMITS[i]);
            frame.steps.push_back(unpack(fields));
        }
        steps += count;
    }
    if (in.fault.empty() && steps != summary.steps)
        in.fail("is damaged: it has fewer steps than its header says");
    if (r.version > 1 && in.fault.empty()) {
        long count = Replay::countCheckpoints(steps);
        if (bytes.size() - in.pos < static_cast<size_t>(count) * CHECKPOINT_BYTES) in.fail(TRUNCATED);
        for (long c = 0; c < count && in.fault.empty(); c++) {
            uint64_t hash = 0;
            for (size_t i = 0; i < CHECKPOINT_BYTES; i++)
                hash |= static_cast<uint64_t>(static_cast<uint8_t>(bytes[in.pos++])) << (8 * i);
            r.checkpoints.push_back(hash);
        }
    }
    if (in.fault.empty() && in.pos != bytes.size()) in.fail("is damaged: it goes on after its last frame");
    // Read after the frames, so a file cut short says so; a changed byte that still reads as a
    // replay is found here.
    if (r.version > 1 && in.fault.empty() && checksum(bytes, check.line, body) != check.sum)
        in.fail("is damaged: its bytes do not match its checksum");
    if (!in.fault.empty()) return fail(error, in.fault);
    out = std::move(r);
    return true;
}

bool writeReplay(const Replay& replay, const std::string& path, std::string* error) {
    std::string why = whyNotSavable(replay);
    if (!why.empty()) return fail(error, "The replay cannot be saved as " + path + ": " + why + ".");
    std::string newPath = path + ".new";
    // Not through a link: the file is the game's own, in its own folder.
    int fd = open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return fail(error,
                    "The folder " + folderOf(path) + " cannot be written to: " + plainReason(errno) + ".");
    int failure = writeAll(fd, encodeReplay(replay));
    if (failure == 0 && fsync(fd) != 0) failure = errno;
    if (close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && rename(newPath.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        remove(newPath.c_str());
        return fail(error, path + " could not be written: " + plainReason(failure) + ".");
    }
    // The rename itself reaches the disk with the folder.
    int folder = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool readReplay(const std::string& path, Replay& out, std::string* error) {
    std::string bytes, why;
    if (!readFileStart(path, REPLAY_MAX_FILE_BYTES + 1, bytes, error)) return false;
    return decodeReplay(bytes, out, &why) || fail(error, path + " " + why);
}

bool readReplayHeader(const std::string& path, ReplaySummary& out, std::string* error) {
    std::string bytes, why;
    ReplaySummary summary;
    size_t body = 0;
    if (!readFileStart(path, MAX_HEADER_BYTES, bytes, error)) return false;
    if (!parseHeader(bytes, summary, body, why)) return fail(error, path + " " + why);
    out = std::move(summary);
    return true;
}

bool sameCommand(const PlayerCommand& a, const PlayerCommand& b) {
    return pack(a) == pack(b);
}

bool sameReplay(const Replay& a, const Replay& b) {
    if (a.campaign != b.campaign || a.round != b.round || a.character != b.character || a.seed != b.seed ||
        a.dataHash != b.dataHash || a.result != b.result || a.score != b.score ||
        a.earlierScore != b.earlierScore || a.date != b.date || a.endHash != b.endHash ||
        a.arenaWidth != b.arenaWidth || a.arenaHeight != b.arenaHeight || a.textHash != b.textHash ||
        a.pictureHash != b.pictureHash || a.checkpoints != b.checkpoints ||
        a.frames.size() != b.frames.size())
        return false;
    for (size_t f = 0; f < a.frames.size(); f++) {
        const ReplayFrame &x = a.frames[f], &y = b.frames[f];
        if (x.paused != y.paused || x.steps.size() != y.steps.size()) return false;
        for (size_t s = 0; s < x.steps.size(); s++)
            if (!sameCommand(x.steps[s], y.steps[s])) return false;
    }
    return true;
}
