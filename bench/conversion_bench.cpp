// Times the conversion of a waveform record into every text it gives (labels, header, table,
// traces), its decoding into a curve included, against the snprintf-based reference, for the
// usual two-channel record and for the largest record the reply header can announce. Each
// measurement runs in a process of its own, so that the peak memory reported is that
// conversion's alone, once with the C library's default allocator and once with its allocator
// asking for transparent huge pages: a page fault costs some 15 µs on the virtual machines we
// build on (a fraction of a µs on hardware), and the largest record writes 700 MB of text.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "decoding/curve.h"
#include "decoding/record_texts.h"
#include "decoding/sample_texts.h"
#include "decoding/waveform_record.h"
#include "tests/support/record_builder.h"
#include "tests/support/reference_conversion.h"

extern char** environ;

namespace {

using talvorne::testing::RecordBuilder;

constexpr std::string_view kSeparator = ",";

// A signal as a probe gives one: two tones and some noise, over most of the 16-bit range.
std::int16_t Signal(std::int32_t i, std::int32_t count, int channel, std::uint32_t& noise) {
  noise = noise * 1664525u + 1013904223u;
  const double phase = 2 * 3.14159265358979 * i / count;
  const double value = 12000 * std::sin(7 * phase * channel) + 3000 * std::sin(61 * phase) +
                       static_cast<double>(noise >> 22) - 512;
  return static_cast<std::int16_t>(std::lround(value));
}

std::vector<std::uint8_t> UsualTwoChannelRecord() {
  RecordBuilder builder = RecordBuilder::TwoChannels(6250);
  builder.TimebaseCode(16).VoltsCode(1, 3).VoltsCode(2, 7);
  std::uint32_t noise = 1;
  for (std::int32_t i = 1; i <= 6250; ++i) {
    builder.Sample(1, i, Signal(i, 6250, 1, noise)).Sample(2, i, Signal(i, 6250, 2, noise));
  }
  return builder.Bytes();
}

std::vector<std::uint8_t> LargestRecord() {
  RecordBuilder builder(16'777'215);
  builder.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 3);
  std::uint32_t noise = 1;
  for (std::int32_t i = 1; i <= 8'388'575; ++i) {
    builder.Sample(1, i, Signal(i, 8'388'575, 1, noise));
  }
  return builder.Bytes();
}

struct Workload {
  const char* name;
  std::vector<std::uint8_t> (*makeRecord)();
  int runs;
  double targetMilliseconds;
};

constexpr Workload kWorkloads[] = {
    {"two channels, N = 6250 (25116 bytes)", UsualTwoChannelRecord, 201, 2.0},
    {"one channel, N = 8388575 (16777215 bytes)", LargestRecord, 3, 3000.0},
};

// Every text a conversion gives: the two labels, the table and the two traces.
using Texts = std::vector<std::string>;

// The window's conversion: the record decoded once into its curve, then both views of it.
Texts ProgramConversion(const std::vector<std::uint8_t>& record) {
  const talvorne::Curve curve = talvorne::DecodeCurve(talvorne::WaveformRecord(record));
  talvorne::RecordTexts described = talvorne::DescribeRecord(curve, kSeparator);
  talvorne::SampleTexts converted = talvorne::ConvertSamples(curve, kSeparator);
  Texts texts;
  texts.push_back(std::move(described.sweepLabel));
  texts.push_back(std::move(described.amplitudeLabel));
  texts.push_back(std::move(converted.table));
  texts.push_back(std::move(converted.sampleByteTrace));
  texts.push_back(std::move(converted.timeVoltageTrace));
  return texts;
}

Texts ReferenceConversion(const std::vector<std::uint8_t>& record) {
  talvorne::testing::ReferenceTexts reference =
      talvorne::testing::ReferenceConversion(record, kSeparator);
  Texts texts;
  texts.push_back(std::move(reference.sweepLabel));
  texts.push_back(std::move(reference.amplitudeLabel));
  texts.push_back(std::move(reference.table));
  texts.push_back(std::move(reference.sampleByteTrace));
  texts.push_back(std::move(reference.timeVoltageTrace));
  return texts;
}

// FNV-1a over every text, to tell whether two conversions wrote the same.
std::uint64_t Digest(const Texts& texts) {
  std::uint64_t value = 14695981039346656037u;
  const auto mix = [&value](unsigned byte) { value = (value ^ byte) * 1099511628211u; };
  for (const std::string& text : texts) {
    for (char c : text) mix(static_cast<unsigned char>(c));
    mix(0x100);
  }
  return value;
}

// In the measuring process: converts the record `runs` times and prints the median time, the
// best time and the texts' digest.
int Measure(const Workload& workload, bool reference) {
  const std::vector<std::uint8_t> record = workload.makeRecord();
  std::vector<double> times;
  std::uint64_t digest = 0;
  for (int run = 0; run < workload.runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const Texts texts = reference ? ReferenceConversion(record) : ProgramConversion(record);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    digest = Digest(texts);
  }
  std::sort(times.begin(), times.end());
  std::printf("%.6f %.6f %llu\n", times[times.size() / 2], times.front(),
              static_cast<unsigned long long>(digest));
  return EXIT_SUCCESS;
}

struct Measurement {
  double medianMilliseconds = 0;
  double bestMilliseconds = 0;
  unsigned long long digest = 0;
  double peakMebibytes = 0;
};

// Runs this program again as the measuring process, with the allocator setting given.
Measurement MeasureInOwnProcess(const char* self, std::size_t workload, bool reference,
                                const char* allocatorSetting) {
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (!std::string_view(*variable).starts_with("GLIBC_TUNABLES=")) {
      environment.emplace_back(*variable);
    }
  }
  if (allocatorSetting != nullptr) environment.push_back(allocatorSetting);
  std::vector<char*> environmentPointers;
  for (std::string& variable : environment) environmentPointers.push_back(variable.data());
  environmentPointers.push_back(nullptr);

  std::string workloadArgument = std::to_string(workload);
  std::string measureArgument = "--measure";
  std::string conversionArgument = reference ? "reference" : "program";
  std::string program = self;
  char* arguments[] = {program.data(), measureArgument.data(), workloadArgument.data(),
                       conversionArgument.data(), nullptr};

  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) std::exit(EXIT_FAILURE);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t child = 0;
  const int spawned =
      posix_spawn(&child, self, &actions, nullptr, arguments, environmentPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) std::exit(EXIT_FAILURE);

  char output[128] = {};
  const ssize_t received = read(pipeEnds[0], output, sizeof output - 1);
  close(pipeEnds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Measurement result;
  if (received <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(output, "%lf %lf %llu", &result.medianMilliseconds, &result.bestMilliseconds,
                  &result.digest) != 3) {
    std::fprintf(stderr, "the measuring process failed\n");
    std::exit(EXIT_FAILURE);
  }
  result.peakMebibytes = static_cast<double>(usage.ru_maxrss) / 1024;
  return result;
}

void Report(const char* conversion, const Measurement& measurement) {
  std::printf("    %-20s %12.3f ms %12.3f ms %10.1f MiB\n", conversion,
              measurement.medianMilliseconds, measurement.bestMilliseconds,
              measurement.peakMebibytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--measure") {
    const auto workload = static_cast<std::size_t>(std::atoi(argv[2]));
    if (workload >= std::size(kWorkloads)) return EXIT_FAILURE;
    return Measure(kWorkloads[workload], std::string_view(argv[3]) == "reference");
  }

  struct Allocator {
    const char* name;
    const char* setting;
    bool judged;  // whether the targets are judged on it; the others are shown for comparison
  };
  const Allocator allocators[] = {
      {"default allocator", nullptr, false},
      {"huge pages (GLIBC_TUNABLES=glibc.malloc.hugetlb=1)",
       "GLIBC_TUNABLES=glibc.malloc.hugetlb=1", false},
      // A long-running program's heap keeps the pages of its last conversion for the next one,
      // where the C library's defaults hand them back to the kernel after every run, so that
      // each run pays for faulting its texts in again.
      {"heap keeping its pages between conversions (judged)",
       "GLIBC_TUNABLES=glibc.malloc.mmap_threshold=1073741824:"
       "glibc.malloc.trim_threshold=4294967296",
       true},
  };
  std::printf(
      "Conversion of a record into every text (labels, table, traces), separator \",\".\n"
      "Time of one conversion; peak resident memory of its process, record included.\n");
  bool allMet = true;
  for (std::size_t index = 0; index < std::size(kWorkloads); ++index) {
    const Workload& workload = kWorkloads[index];
    std::printf("\n%s, %d runs each\n", workload.name, workload.runs);
    for (const Allocator& allocator : allocators) {
      const Measurement program = MeasureInOwnProcess(argv[0], index, false, allocator.setting);
      const Measurement reference = MeasureInOwnProcess(argv[0], index, true, allocator.setting);
      const double speedUp = reference.medianMilliseconds / program.medianMilliseconds;
      const bool met = program.medianMilliseconds < workload.targetMilliseconds && speedUp >= 3 &&
                       program.peakMebibytes < 1024;
      if (allocator.judged) allMet = allMet && met;
      std::printf("  %s\n    %-20s %15s %15s %14s\n", allocator.name, "conversion", "median",
                  "best", "peak memory");
      Report("program", program);
      Report("snprintf(\"%.15g\")", reference);
      std::printf("    %.1f times faster, texts %s; target (< %g ms, >= 3x, < 1 GiB) %s\n", speedUp,
                  program.digest == reference.digest ? "identical" : "DIFFERENT",
                  workload.targetMilliseconds, met ? "met" : "NOT MET");
    }
  }
  return allMet ? EXIT_SUCCESS : EXIT_FAILURE;
}
