// Reader and writer throughput of the plug-in's JSON library beside RapidJSON and
// nlohmann/json, on the same generated documents. Prints a table; asserts nothing.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include "notifications/json/reader.h"
#include "notifications/json/writer.h"

namespace {

std::uint64_t g_state = 88172645463325252ull;
std::uint32_t Next() {
  g_state ^= g_state << 13;
  g_state ^= g_state >> 7;
  g_state ^= g_state << 17;
  return static_cast<std::uint32_t>(g_state);
}

// A push-message reply with messages until it reaches `bytes`.
std::string PushDocument(std::size_t bytes) {
  std::string text = "{\"platform\":\"windows\",\"version\":3,\"message\":[";
  for (std::uint32_t id = 1; text.size() < bytes; ++id) {
    if (id > 1) text += ',';
    text += "{\"msgid\":" + std::to_string(100000 + id) +
            ",\"starttime\":1700000000,\"endtime\":" + std::to_string(1800000000 + Next() % 1000) +
            ",\"type\":" + std::to_string(Next() % 5) +
            ",\"title\":\"\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC\xE5\x8F\x91\xE5\xB8\x83 " +
            std::to_string(id) +
            "\",\"content\":\"Nubrel \\\"2.1\\\" is out.\\nFaster sync, smaller memory use, and "
            "a new move tool.\\tRead more at the link below.\",\"url\":\"http://push.example.test"
            "/v3/notes/" + std::to_string(id) + ".html\",\"icon\":\"http://push.example.test/i/" +
            std::to_string(Next() % 50) + ".png\",\"priority\":" + std::to_string(Next() % 9) +
            ",\"show\":" + (Next() % 2 ? "true" : "false") + ",\"extra\":null}";
  }
  return text + "]}";
}

// Rows of numbers of every shape: integers, decimals, exponents, negative values.
std::string NumberDocument(std::size_t bytes) {
  std::string text = "{\"series\":[";
  for (int row = 0; text.size() < bytes; ++row) {
    if (row) text += ',';
    text += '[';
    for (int i = 0; i < 64; ++i) {
      if (i) text += ',';
      char number[64];
      switch (Next() % 4) {
        case 0: std::snprintf(number, sizeof(number), "%d", static_cast<int>(Next())); break;
        case 1: std::snprintf(number, sizeof(number), "%.6f", (Next() % 2000000) / 997.0); break;
        case 2: std::snprintf(number, sizeof(number), "%.17g", Next() / 3.0e12); break;
        default: std::snprintf(number, sizeof(number), "-%u.%ue%d", Next() % 1000, Next() % 1000,
                               static_cast<int>(Next() % 60) - 30);
      }
      text += number;
    }
    text += ']';
  }
  return text + "]}";
}

// Best MB/s of several timed rounds; each round repeats `work` for at least 0.3 s.
double MegabytesPerSecond(std::size_t bytes, const std::function<void()>& work) {
  double best = 0;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    int runs = 0;
    double seconds = 0;
    do {
      work();
      ++runs;
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (seconds < 0.3);
    const double rate = bytes * static_cast<double>(runs) / seconds / 1e6;
    if (rate > best) best = rate;
  }
  return best;
}

void Measure(const char* name, const std::string& text) {
  json::Object ours;
  json::Reader::Read(ours, text.data(), text.size());
  rapidjson::Document rapid;
  rapid.Parse(text.data(), text.size());
  const nlohmann::json lohmann = nlohmann::json::parse(text);

  const double read_ours = MegabytesPerSecond(text.size(), [&] {
    json::Object object;
    json::Reader::Read(object, text.data(), text.size());
  });
  const double read_rapid = MegabytesPerSecond(text.size(), [&] {
    rapidjson::Document document;
    document.Parse(text.data(), text.size());
  });
  const double read_lohmann = MegabytesPerSecond(text.size(), [&] {
    const nlohmann::json document = nlohmann::json::parse(text);
    (void)document;
  });

  // Every writer writes indented text; throughput is counted in input bytes for all three.
  const double write_ours = MegabytesPerSecond(text.size(), [&] {
    std::ostringstream output;
    json::Writer::Write(ours, output);
  });
  const double write_rapid = MegabytesPerSecond(text.size(), [&] {
    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    writer.SetIndent('\t', 1);
    rapid.Accept(writer);
  });
  const double write_lohmann = MegabytesPerSecond(text.size(), [&] {
    const std::string written = lohmann.dump(1, '\t');
    (void)written;
  });

  std::printf("%-24s %8.1f %8.1f %8.1f   %8.1f %8.1f %8.1f\n", name, read_ours, read_rapid,
              read_lohmann, write_ours, write_rapid, write_lohmann);
}

}  // namespace

int main() {
  std::printf("MB/s of input text      %26s   %26s\n", "read: ours  rapid  nlohmann",
              "write: ours  rapid  nlohmann");
  Measure("push messages, 1 MB", PushDocument(1 << 20));
  Measure("push messages, 10 MB", PushDocument(10 << 20));
  Measure("numbers, 4 MB", NumberDocument(4 << 20));
  return 0;
}
