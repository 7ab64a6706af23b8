#include "sound_source.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

namespace sfxgen
{
namespace
{

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// A comment runs from a '#' that starts a word to the end of the line; a '#' inside a
// word is a sharp, as in "F#3".
std::string StripComment(const std::string& line)
{
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

bool ParseNumber(const std::string& token, double& value)
{
    if (token.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return end == token.c_str() + token.size() && std::isfinite(value);
}

// Reads the file line by line and keeps the first error.
class Parser
{
public:
    Parser(const std::string& fileName, SoundSource& out) : fileName(fileName), out(out) {}

    bool Run(const std::string& text);
    const std::string& Error() const { return error; }

private:
    enum class Block
    {
        None,
        Voice,
        Instrument,
        Pattern
    };

    bool Fail(const std::string& message)
    {
        if (error.empty())
            error = fileName + ":" + std::to_string(lineNo) + ": " + message;
        return false;
    }

    bool Number(const std::vector<std::string>& w, size_t i, double& value);
    bool Count(const std::vector<std::string>& w, size_t count);
    bool Frequency(const std::string& token, double& hz);
    bool SweepTail(const std::vector<std::string>& w, size_t i, Sweep& sweep, bool pitch,
                   double* q);
    bool LfoLine(const std::vector<std::string>& w, Lfo& lfo);
    bool TopLevel(const std::vector<std::string>& w);
    bool VoiceLine(const std::vector<std::string>& w, VoiceRecipe& v);
    bool PatternLine(const std::vector<std::string>& w, PatternRecipe& p);
    bool CheckEffect();
    bool CheckLoopVoice(const VoiceRecipe& v);
    bool CheckMusic();

    std::string fileName;
    SoundSource& out;
    std::string error;
    int lineNo = 0;
    int songLine = 0;
    Block block = Block::None;
};

bool Parser::Number(const std::vector<std::string>& w, size_t i, double& value)
{
    if (i >= w.size())
        return Fail("'" + w[0] + "' needs more values");
    if (!ParseNumber(w[i], value))
        return Fail("'" + w[i] + "' is not a number");
    return true;
}

bool Parser::Count(const std::vector<std::string>& w, size_t count)
{
    if (w.size() != count)
        return Fail("'" + w[0] + "' takes " + std::to_string(count - 1) + " value(s)");
    return true;
}

bool Parser::Frequency(const std::string& token, double& hz)
{
    hz = NoteFrequency(token);
    if (hz > 0.0)
        return true;
    if (!ParseNumber(token, hz) || hz <= 0.0)
        return Fail("'" + token + "' is neither a note name nor a frequency in Hz");
    return true;
}

// "FROM [-> TO] [lin] [over SECONDS] [q Q]" starting at w[i].
bool Parser::SweepTail(const std::vector<std::string>& w, size_t i, Sweep& sweep, bool pitch,
                       double* q)
{
    auto value = [&](size_t at, double& v)
    {
        if (at >= w.size())
            return Fail("'" + w[0] + "' needs a value");
        return pitch ? Frequency(w[at], v) : Number(w, at, v);
    };
    if (!value(i, sweep.from))
        return false;
    sweep.to = sweep.from;
    sweep.set = true;
    for (++i; i < w.size(); ++i)
    {
        if (w[i] == "->")
        {
            if (!value(++i, sweep.to))
                return false;
        }
        else if (w[i] == "lin")
            sweep.linear = true;
        else if (w[i] == "over")
        {
            if (!Number(w, ++i, sweep.over) || sweep.over <= 0.0)
                return Fail("'over' needs a time above 0");
        }
        else if (w[i] == "q" && q)
        {
            if (!Number(w, ++i, *q) || *q < 0.1 || *q > 30.0)
                return Fail("'q' must lie in 0.1 .. 30");
        }
        else
            return Fail("unexpected '" + w[i] + "' in '" + w[0] + "'");
    }
    if (!sweep.linear && (sweep.from <= 0.0 || sweep.to <= 0.0))
        return Fail("an exponential glide needs values above 0 (add 'lin')");
    return true;
}

bool Parser::LfoLine(const std::vector<std::string>& w, Lfo& lfo)
{
    if (w.size() != 3 && w.size() != 4)
        return Fail("'" + w[0] + "' takes a rate, a depth and an optional shape");
    if (!Number(w, 1, lfo.rate) || !Number(w, 2, lfo.depth))
        return false;
    if (lfo.rate <= 0.0)
        return Fail("'" + w[0] + "' rate must be above 0");
    if (w.size() == 4)
    {
        static const std::map<std::string, LfoShape> shapes = {
            {"sine", LfoShape::Sine}, {"square", LfoShape::Square}, {"saw", LfoShape::Saw}};
        auto it = shapes.find(w[3]);
        if (it == shapes.end())
            return Fail("unknown shape '" + w[3] + "' (sine, square, saw)");
        lfo.shape = it->second;
    }
    return true;
}

bool Parser::TopLevel(const std::vector<std::string>& w)
{
    const std::string& key = w[0];
    double v = 0.0;
    if (key == "loop")
    {
        if (!Count(w, 2))
            return false;
        if (w[1] != "yes" && w[1] != "no")
            return Fail("'loop' is yes or no");
        out.loop = w[1] == "yes";
        return true;
    }
    if (key == "song")
    {
        if (w.size() < 2)
            return Fail("'song' needs at least one pattern name");
        out.song.insert(out.song.end(), w.begin() + 1, w.end());
        songLine = lineNo;
        return true;
    }
    static const std::set<std::string> numeric = {"channels", "peak",  "length", "quality",
                                                  "serial",   "tempo", "steps"};
    if (!numeric.count(key))
        return Fail("unknown setting '" + key + "'");
    if (block != Block::None)
        return Fail("'" + key + "' belongs before the first block");
    if (!Count(w, 2) || !Number(w, 1, v))
        return false;
    if (key == "channels")
    {
        if (v != 1.0 && v != 2.0)
            return Fail("'channels' is 1 or 2");
        out.channels = static_cast<int>(v);
    }
    else if (key == "peak")
    {
        if (v <= 0.0 || v > 0.95)
            return Fail("'peak' must lie in 0 .. 0.95 (Vorbis overshoots a full-scale peak)");
        out.peak = v;
    }
    else if (key == "length")
    {
        if (v <= 0.0 || v > 120.0)
            return Fail("'length' must lie in 0 .. 120 seconds");
        out.length = v;
    }
    else if (key == "quality")
    {
        if (v < -0.1 || v > 1.0)
            return Fail("'quality' must lie in -0.1 .. 1");
        out.quality = v;
    }
    else if (key == "serial")
    {
        if (v < 1.0 || v > 2147483647.0 || v != std::floor(v))
            return Fail("'serial' is a whole number from 1");
        out.serial = static_cast<uint32_t>(v);
    }
    else if (key == "tempo")
    {
        if (v < 20.0 || v > 400.0)
            return Fail("'tempo' must lie in 20 .. 400 beats per minute");
        out.tempo = v;
    }
    else if (key == "steps")
    {
        if (v < 1.0 || v > 16.0 || v != std::floor(v))
            return Fail("'steps' is a whole number of steps per beat, 1 .. 16");
        out.stepsPerBeat = static_cast<int>(v);
    }
    return true;
}

bool Parser::VoiceLine(const std::vector<std::string>& w, VoiceRecipe& v)
{
    const std::string& key = w[0];
    auto positive = [&](double& field, double low, double high)
    {
        if (!Count(w, 2) || !Number(w, 1, field))
            return false;
        if (field < low || field > high)
            return Fail("'" + key + "' must lie in " + std::to_string(low) + " .. " +
                        std::to_string(high));
        return true;
    };
    if (key == "wave")
    {
        static const std::map<std::string, Wave> waves = {{"sine", Wave::Sine},
                                                          {"triangle", Wave::Triangle},
                                                          {"saw", Wave::Saw},
                                                          {"square", Wave::Square},
                                                          {"noise", Wave::Noise}};
        if (!Count(w, 2))
            return false;
        auto it = waves.find(w[1]);
        if (it == waves.end())
            return Fail("unknown wave '" + w[1] + "' (sine, triangle, saw, square, noise)");
        v.wave = it->second;
        return true;
    }
    if (key == "pitch")
        return SweepTail(w, 1, v.pitch, true, nullptr);
    if (key == "notes")
    {
        if (w.size() < 2)
            return Fail("'notes' needs at least one note");
        for (size_t i = 1; i < w.size(); ++i)
        {
            double hz = 0.0;
            if (!Frequency(w[i], hz))
                return false;
            v.notes.push_back(hz);
        }
        return true;
    }
    if (key == "bend")
    {
        if (w.size() != 2 && w.size() != 4)
            return Fail("'bend' takes semitones and an optional 'over SECONDS'");
        if (!Number(w, 1, v.bend))
            return false;
        if (w.size() == 4 && (w[2] != "over" || !Number(w, 3, v.bendOver) || v.bendOver <= 0.0))
            return Fail("'bend' takes semitones and an optional 'over SECONDS'");
        return true;
    }
    if (key == "fm")
    {
        if (w.size() < 3 || !Number(w, 1, v.fmRatio) || v.fmRatio <= 0.0)
            return Fail("'fm' takes a ratio above 0 and an index");
        return SweepTail(w, 2, v.fmIndex, false, nullptr);
    }
    if (key == "lowpass" || key == "highpass" || key == "bandpass")
    {
        FilterStage stage;
        stage.mode = key == "lowpass"    ? FilterStage::Mode::Low
                     : key == "highpass" ? FilterStage::Mode::High
                                         : FilterStage::Mode::Band;
        if (!SweepTail(w, 1, stage.cutoff, false, &stage.q))
            return false;
        if (stage.cutoff.from < 10.0 || stage.cutoff.to < 10.0)
            return Fail("a filter cutoff below 10 Hz does nothing useful");
        v.filters.push_back(stage);
        return true;
    }
    if (key == "vibrato")
        return LfoLine(w, v.vibrato);
    if (key == "tremolo")
        return LfoLine(w, v.tremolo) && ((v.tremolo.depth >= 0.0 && v.tremolo.depth <= 1.0) ||
                                         Fail("tremolo depth must lie in 0 .. 1"));
    if (key == "echo")
    {
        if (!Count(w, 3) || !Number(w, 1, v.echoDelay) || !Number(w, 2, v.echoFeedback))
            return false;
        if (v.echoDelay < 0.01 || v.echoDelay > 2.0 || v.echoFeedback <= 0.0 ||
            v.echoFeedback >= 0.9)
            return Fail("'echo' takes a delay of 0.01 .. 2 s and a feedback in 0 .. 0.9");
        return true;
    }
    if (key == "seed")
    {
        double s = 0.0;
        if (!positive(s, 0.0, 4294967295.0))
            return false;
        v.seed = static_cast<uint32_t>(s);
        return true;
    }
    static const std::set<std::string> envelope = {"attack", "decay", "sustain", "release", "gate"};
    if (envelope.count(key))
        v.envelopeSet = true;
    if (key == "duty")
        return positive(v.duty, 0.05, 0.95);
    if (key == "step")
        return positive(v.step, 0.005, 10.0);
    if (key == "start")
        return positive(v.start, 0.0, 60.0);
    if (key == "gate")
        return positive(v.gate, 0.0, 60.0);
    if (key == "legato")
        return positive(v.legato, 0.05, 1.0);
    if (key == "attack")
        return positive(v.attack, 0.0005, 10.0);
    if (key == "decay")
        return positive(v.decay, 0.0, 10.0);
    if (key == "sustain")
        return positive(v.sustain, 0.0, 1.0);
    if (key == "release")
        return positive(v.release, 0.001, 10.0);
    if (key == "curve")
        return positive(v.curve, 0.5, 8.0);
    if (key == "volume")
        return positive(v.volume, 0.0, 4.0);
    if (key == "pan")
        return positive(v.pan, -1.0, 1.0);
    if (key == "drive")
        return positive(v.drive, 0.0, 50.0);
    return Fail("unknown voice setting '" + key + "'");
}

bool Parser::PatternLine(const std::vector<std::string>& w, PatternRecipe& p)
{
    PatternTrack* track = nullptr;
    for (auto& t : p.tracks)
        if (t.instrument == w[0])
            track = &t;
    if (!track)
    {
        p.tracks.push_back(PatternTrack{w[0], {}, lineNo});
        track = &p.tracks.back();
    }
    for (size_t i = 1; i < w.size(); ++i)
    {
        const std::string& token = w[i];
        if (token == "|")
            continue;
        if (token == "-" && track->steps.empty())
            return Fail("'-' holds a note, but the row starts with it");
        bool ok = token == "-" || token == "." || token == "x" || token == "o";
        if (!ok)
        {
            // A chord is notes joined by '+'.
            std::istringstream parts(token);
            std::string part;
            ok = true;
            while (std::getline(parts, part, '+'))
                ok = ok && NoteFrequency(part) > 0.0;
        }
        if (!ok)
            return Fail("'" + token + "' is not a step (note, chord such as C4+E4, x, o, -, .)");
        track->steps.push_back(token);
    }
    return true;
}

bool Parser::CheckLoopVoice(const VoiceRecipe& v)
{
    lineNo = v.line;
    if (v.envelopeSet || v.start != 0.0)
        return Fail("a looping sound holds its voices steadily: no envelope, gate or start");
    if (v.pitch.Moves() || v.bend != 0.0 || !v.notes.empty() || v.fmIndex.Moves())
        return Fail("a looping sound cannot glide or play a run of notes");
    for (const auto& f : v.filters)
        if (f.cutoff.Moves())
            return Fail("a looping sound cannot sweep a filter");
    if (v.echoDelay > 0.0)
        return Fail("a looping sound cannot echo");
    return true;
}

bool Parser::CheckEffect()
{
    if (!out.patterns.empty() || !out.song.empty() || out.tempo > 0.0)
        return Fail("an effect has voices only: patterns, song and tempo are for music");
    if (out.voices.empty())
        return Fail("no voice: an effect needs at least one 'voice' block");
    if (out.loop && out.length <= 0.0)
        return Fail("a looping sound needs its 'length'");
    if (!out.loop && out.length > 0.0)
        return Fail("'length' is the period of a loop; an effect lasts as long as its voices");
    for (const auto& v : out.voices)
    {
        lineNo = v.line;
        if (v.wave != Wave::Noise && !v.pitch.set && v.notes.empty())
            return Fail("voice '" + v.name + "' needs a 'pitch' or 'notes'");
        if (v.pitch.set && !v.notes.empty())
            return Fail("voice '" + v.name + "' has both 'pitch' and 'notes'");
        if (out.loop && !CheckLoopVoice(v))
            return false;
    }
    return true;
}

bool Parser::CheckMusic()
{
    if (!out.voices.empty())
        return Fail("music has instruments only: 'voice' blocks are for effects");
    if (out.tempo <= 0.0)
        return Fail("music needs a 'tempo'");
    if (out.length > 0.0)
        return Fail("music lasts as long as its song: no 'length'");
    if (out.song.empty())
        return Fail("music needs a 'song' line");
    std::map<std::string, const VoiceRecipe*> instruments;
    for (const auto& i : out.instruments)
        instruments[i.name] = &i;
    std::set<std::string> patterns;
    for (const auto& p : out.patterns)
    {
        lineNo = p.line;
        if (p.tracks.empty())
            return Fail("pattern '" + p.name + "' is empty");
        size_t longest = 0;
        for (const auto& t : p.tracks)
            longest = std::max(longest, t.steps.size());
        for (const auto& t : p.tracks)
        {
            lineNo = t.line;
            auto it = instruments.find(t.instrument);
            if (it == instruments.end())
                return Fail("no instrument called '" + t.instrument + "'");
            if (t.steps.empty() || longest % t.steps.size() != 0)
                return Fail("row '" + t.instrument + "' has " + std::to_string(t.steps.size()) +
                            " steps; a shorter row must divide the pattern's " +
                            std::to_string(longest) + " evenly");
            const VoiceRecipe& ins = *it->second;
            for (const auto& s : t.steps)
                if ((s == "x" || s == "o") && !ins.pitch.set && ins.wave != Wave::Noise)
                    return Fail("'" + s + "' plays instrument '" + ins.name +
                                "' at its own pitch, but it has none");
        }
        patterns.insert(p.name);
    }
    lineNo = songLine;
    for (const auto& name : out.song)
        if (!patterns.count(name))
            return Fail("the song names pattern '" + name + "', which is not defined");
    for (const auto& v : out.instruments)
    {
        lineNo = v.line;
        if (v.start != 0.0 || v.gate >= 0.0 || !v.notes.empty())
            return Fail("an instrument's notes come from the patterns: no start, gate or notes");
    }
    return true;
}

bool Parser::Run(const std::string& text)
{
    std::istringstream in(text);
    std::string raw;
    VoiceRecipe* voice = nullptr;
    PatternRecipe* pattern = nullptr;
    std::set<std::string> blockNames;
    while (std::getline(in, raw))
    {
        ++lineNo;
        std::vector<std::string> w = SplitWords(StripComment(raw));
        if (w.empty())
            continue;
        const std::string& key = w[0];
        if (key == "voice" || key == "instrument" || key == "pattern")
        {
            if (w.size() > 2 || (key != "voice" && w.size() != 2))
                return Fail("'" + key + "' takes one name");
            std::string name = w.size() == 2 ? w[1] : "voice" + std::to_string(lineNo);
            if (!blockNames.insert(key + " " + name).second)
                return Fail(key + " '" + name + "' is defined twice");
            voice = nullptr;
            pattern = nullptr;
            if (key == "pattern")
            {
                out.patterns.push_back(PatternRecipe{name, lineNo, {}});
                pattern = &out.patterns.back();
                block = Block::Pattern;
                continue;
            }
            auto& list = key == "voice" ? out.voices : out.instruments;
            list.emplace_back();
            voice = &list.back();
            voice->name = name;
            voice->line = lineNo;
            block = key == "voice" ? Block::Voice : Block::Instrument;
            continue;
        }
        if (key == "song")
        {
            voice = nullptr;
            pattern = nullptr;
            block = Block::None;
            if (!TopLevel(w))
                return false;
            continue;
        }
        bool ok = pattern ? PatternLine(w, *pattern) : voice ? VoiceLine(w, *voice) : TopLevel(w);
        if (!ok)
            return false;
    }
    return out.IsMusic() ? CheckMusic() : CheckEffect();
}

} // namespace

double NoteFrequency(const std::string& token)
{
    static const int semitone[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (token.size() < 2 || token[0] < 'A' || token[0] > 'G')
        return 0.0;
    int n = semitone[token[0] - 'A'];
    size_t i = 1;
    if (token[i] == '#' || token[i] == 'b')
        n += token[i++] == '#' ? 1 : -1;
    if (i + 1 != token.size() || token[i] < '0' || token[i] > '8')
        return 0.0;
    int octave = token[i] - '0';
    int midi = 12 * (octave + 1) + n;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

bool ParseSoundSource(const std::string& text, const std::string& fileName, SoundSource& out,
                      std::string& error)
{
    Parser parser(fileName, out);
    bool ok = parser.Run(text);
    error = parser.Error();
    return ok;
}

} // namespace sfxgen
