// From seeded random pairs of Sets whose items call each other, one random Delete,
// Insert, move, Cut or Paste (inside a Set or from the other one) answered at random:
// every call that the answers left alone still names the same item as before, and an
// item pasted from the other Set calls, by name, what it called there.
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "format/call_table.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "support/editor.h"
#include "support/random_prompter.h"
#include "util/text.h"

namespace i40 {
namespace {

using test::kEditKinds;

// Four carried bytes of each caller's record hold an identity that copies keep, so that a
// caller is known wherever it moves.
std::size_t IdentityOffset(Kind caller) {
  return caller == Kind::Arrangement       ? 112
         : caller == Kind::Style           ? 26
         : caller == Kind::BackingSequence ? 176
                                           : 24;  // KBD Set
}

std::string IdentityOf(Kind caller, std::span<const std::uint8_t> record) {
  const std::size_t at = IdentityOffset(caller);
  return std::string(KindName(caller)) + std::string(record.begin() + static_cast<long>(at),
                                                     record.begin() + static_cast<long>(at) + 4);
}

// Names unique inside a Set and shared at random with the other Set; calls into the
// user banks, at presets and into no bank.
FileSet NamedSet(std::uint32_t seed, char side) {
  FileSet set = build::RandomSet(seed);
  build::Rng rng(seed * 31 + 7);
  for (const Kind kind : kEditKinds) {
    std::vector<int> ids(100);
    std::iota(ids.begin(), ids.end(), 0);
    for (int k = 99; k > 0; --k)
      std::swap(ids[static_cast<std::size_t>(k)], ids[static_cast<std::size_t>(rng.Below(k + 1))]);
    for (int i = 0; i < PositionCount(kind); ++i) {
      const auto record = RecordBytes(set, kind, ItemIndex{i});
      if (kind != Kind::KbdSet) {
        test::PutName(
            record, kind,
            rng.Below(6) == 0 ? "" : "N" + std::to_string(ids[static_cast<std::size_t>(i)]));
      }
      if (CallFieldsOf(kind).empty()) continue;
      const std::string identity = {side, static_cast<char>('0' + i / 10),
                                    static_cast<char>('0' + i % 10), 'x'};
      std::copy(identity.begin(), identity.end(), record.begin() + IdentityOffset(kind));
      for (const CallField& field : CallFieldsOf(kind)) {
        const int roll = rng.Below(10);
        const ItemNumber user =
            ItemNumberOfUserIndex(field.called, ItemIndex{rng.Below(UserItemCount(field.called))});
        WriteCall(record, field,
                  roll < 7   ? user
                  : roll < 9 ? ItemNumber{rng.Below(64)}
                             : ItemNumber{200 + rng.Below(50)});
      }
    }
  }
  return set;
}

// What a call names: a user item by its name, a preset by its number, or a number in no
// bank as it stands.
std::string Target(const FileSet& set, Kind called, ItemNumber number) {
  const ItemIndex user = ItemUserIndex(called, number);
  if (user != kNoIndex) return "user " + RecordName(called, RecordBytes(set, called, user));
  return "number " + std::to_string(Value(number));
}

// Every call of a Set by caller identity (a copy shares its original's): the kind each
// field calls and what it names.
using CallMap = std::multimap<std::string, std::vector<std::pair<Kind, std::string>>>;

CallMap CallsOf(const FileSet& set) {
  CallMap calls;
  for (const Kind caller : kCallerKinds) {
    for (const ItemIndex i : PositionsOf(caller)) {
      const auto record = RecordBytes(set, caller, i);
      if (IsEmptyRecord(caller, record)) continue;
      auto& targets = calls.emplace(IdentityOf(caller, record), CallMap::mapped_type())->second;
      for (const CallField& field : CallFieldsOf(caller))
        targets.push_back({field.called, Target(set, field.called, ReadCall(record, field))});
    }
  }
  return calls;
}

// The items whose callers a question put in the user's hands ("X Arrangement is
// referenced by", "Style", "Program 'X' is referenced by"): kind and name.
std::set<std::pair<Kind, std::string>> AskedAbout(const test::RandomPrompter& prompter) {
  static const std::regex arrangementOrStyle("^(.*) (Arrangement|Style) is referenced by");
  static const std::regex program("^Program '(.*)' is referenced by");
  std::set<std::pair<Kind, std::string>> items;
  for (const auto& asked : prompter.asked) {
    std::smatch m;
    if (std::regex_search(asked.text, m, arrangementOrStyle)) {
      items.insert({m[2] == "Style" ? Kind::Style : Kind::Arrangement, m[1]});
    } else if (std::regex_search(asked.text, m, program)) {
      items.insert({Kind::Program, m[1]});
    }
  }
  return items;
}

// A call into an empty user position names no item: whatever is put there is called.
bool NamesNothing(const std::string& target) {
  return target.rfind("user ", 0) == 0 && TrimSpaces(target.substr(5)).empty();
}

bool Asked(const std::set<std::pair<Kind, std::string>>& asked, Kind called,
           const std::string& target) {
  if (target.rfind("user ", 0) != 0) return false;
  return asked.count({called, TrimSpaces(target.substr(5))}) > 0;
}

TEST(CallsProperty, CallsTheAnswersLeftAloneStillNameTheSameItems) {
  int checkedCalls = 0;
  int resolvedCalls = 0;
  int done = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    build::Rng rng(seed);
    Workspace ws;
    ws.settings.WarnDupl = false;
    test::RandomPrompter prompter(rng);
    test::Editor ed(ws, prompter);
    const SetSlot a = test::AddSet(ws, NamedSet(seed, 'a'), "A");
    const SetSlot b = test::AddSet(ws, NamedSet(seed + 5000, 'b'), "B");
    const CallMap inB = CallsOf(ws.sets.Files(b));
    const CallMap before = CallsOf(ws.sets.Files(a));

    const Kind kind = kEditKinds[static_cast<std::size_t>(rng.Below(5))];
    done += test::RandomOperation(ed, rng, kind, SetSlot{a}, SetSlot{b}) ? 1 : 0;

    const FileSet& after = ws.sets.Files(a);
    const auto asked = AskedAbout(prompter);
    for (const auto& [identity, now] : CallsOf(after)) {
      const auto was = before.find(identity);
      const auto origin = inB.find(identity);
      ASSERT_TRUE(was != before.end() || origin != inB.end()) << identity;
      for (std::size_t f = 0; f < now.size(); ++f) {
        const auto& [called, target] = now[f];
        if (was != before.end()) {
          // A caller of this Set: its calls follow what they called, unless a question
          // about the called item gave the user the say.
          const std::string& then = was->second[f].second;
          if (NamesNothing(then) || Asked(asked, called, then)) continue;
          ++checkedCalls;
          ASSERT_EQ(target, then) << identity << " field " << f;
        } else {
          // A caller from the other Set: by name where this Set has the name.
          const std::string& there = origin->second[f].second;
          if (there.rfind("user ", 0) == 0 &&
              FindItemByName(after, called, there.substr(5)) == kNoNumber)
            continue;  // the Set lacks the name: the user was asked
          ++resolvedCalls;
          ASSERT_EQ(target, there) << identity << " field " << f;
        }
      }
    }
  }
  EXPECT_GT(done, 150);
  EXPECT_GT(checkedCalls, 100000);
  EXPECT_GT(resolvedCalls, 100);
}

}  // namespace
// The index read once gives every item's callers as the scan for that one item does, in
// the same order: called user items, presets and numbers of no item alike.
TEST(CallsProperty, CallIndexListsTheCallersTheScanFinds) {
  int lists = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const FileSet set = NamedSet(seed, 'a');
    const CallIndex index(set);
    for (const Kind called : {Kind::Arrangement, Kind::Style, Kind::Program}) {
      std::set<int> numbers;
      for (const ItemNumber n : CalledNumbers(set, called))
        numbers.insert(Value(n));
      for (const ItemIndex i : PositionsOf(called))
        numbers.insert(Value(ItemNumberOfUserIndex(called, i)));
      for (const int n : numbers) {
        const auto scanned = CallerTexts(set, called, ItemNumber{n});
        ASSERT_EQ(index.CallerTexts(called, ItemNumber{n}), scanned) << KindName(called) << n;
        lists += scanned.size() > 1 ? 1 : 0;
      }
    }
  }
  EXPECT_GT(lists, 100);  // items called more than once, where order can go wrong
}

}  // namespace i40
