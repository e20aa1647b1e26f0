// Writes the program's sound cues: short, soft tones as 16-bit mono WAV files.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Note {
    double freq;      // Hz; 0 is a rest
    double seconds;
    double glideTo;   // end frequency of a slide, or 0 for a steady tone
};

struct Cue {
    const char *file;
    std::vector<Note> notes;
    double volume;
};

// Sine with two soft overtones, a quick attack and an exponential fade.
void render(const Note &note, double volume, std::vector<int16_t> &out)
{
    const int n = int(note.seconds * kRate);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double f = note.glideTo > 0 ? note.freq + (note.glideTo - note.freq) * i / n : note.freq;
        phase += 2 * kPi * f / kRate;
        const double attack = std::fmin(1.0, t / 0.006);
        const double fade = std::exp(-4.0 * i / n);
        const double release = std::fmin(1.0, double(n - i) / (0.004 * kRate));
        const double wave = std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase);
        const double sample = note.freq > 0 ? wave * attack * fade * release * volume : 0;
        out.push_back(int16_t(std::lround(sample * 32767 / 1.35)));
    }
}

void put32(std::FILE *f, uint32_t v) { for (int i = 0; i < 4; ++i) std::fputc(int((v >> (8 * i)) & 0xFF), f); }
void put16(std::FILE *f, uint16_t v) { std::fputc(v & 0xFF, f); std::fputc(v >> 8, f); }

bool write(const std::string &path, const std::vector<int16_t> &samples)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const uint32_t bytes = uint32_t(samples.size() * 2);
    std::fputs("RIFF", f); put32(f, 36 + bytes); std::fputs("WAVE", f);
    std::fputs("fmt ", f); put32(f, 16); put16(f, 1); put16(f, 1);
    put32(f, kRate); put32(f, kRate * 2); put16(f, 2); put16(f, 16);
    std::fputs("data", f); put32(f, bytes);
    for (int16_t s : samples) put16(f, uint16_t(s));
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: toran_soundgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::vector<Cue> cues = {
        {"Zvednuti.wav", {{523.25, 0.09, 784.0}}, 0.5},                       // rising
        {"Polozeni.wav", {{659.25, 0.08, 440.0}}, 0.45},                      // starting to fall
        {"Dopad.wav", {{196.0, 0.07, 130.0}}, 0.6},                           // soft knock
        {"Dialog.wav", {{659.25, 0.08, 0}, {880.0, 0.14, 0}}, 0.45},          // two-note chime
        {"Dotaz.wav", {{587.33, 0.1, 0}, {698.46, 0.1, 0}, {587.33, 0.14, 0}}, 0.45},
        {"PomocnikStart.wav", {{392.0, 0.08, 0}, {523.25, 0.08, 0}, {659.25, 0.16, 0}}, 0.45},
        {"PomocnikKonec.wav", {{659.25, 0.08, 0}, {523.25, 0.08, 0}, {392.0, 0.16, 0}}, 0.45},
        {"Lista.wav", {{880.0, 0.12, 1320.0}}, 0.3},                          // page swish
    };
    for (const Cue &cue : cues) {
        std::vector<int16_t> samples;
        for (const Note &note : cue.notes)
            render(note, cue.volume, samples);
        if (!write(dir + "/" + cue.file, samples)) {
            std::fprintf(stderr, "toran_soundgen: cannot write %s/%s\n", dir.c_str(), cue.file);
            return 1;
        }
    }
    return 0;
}
