// SPDX-License-Identifier: MIT
// The reply sentence:
//
//   "rolls " [ sets "#" | "a " ] expression
//     [ " against " comment | " " comment ] " and gets " entry { ", " entry }
//   entry   = total [ " with a Critical Failure" | grade ]
//   comment = the request's comment
//           | head { character } "..."   only when the sentence is too long
//
// A sentence that fits in the host's buffer is written whole. A longer one
// keeps every entry by shortening the comment to its longest prefix that
// leaves room for them and for "...", ends where a UTF-8 character starts and
// keeps at least the head (in a skill test the level's digits that the
// comment starts with, otherwise nothing). When even the head and "..." leave
// no room for every entry, the comment is the head and "...", and the
// sentence is cut after the last whole entry that fits; when not even the
// first entry fits, at the last character that fits, moved back so that no
// UTF-8 character is cut in two. The expression is never shortened.
#include <algorithm>
#include <array>
#include <cstring>

#include "dice/outcome_texts.h"
#include "dice/roll_request.h"

namespace rollwright {

inline constexpr int32_t kMaxReplyLength = ReplyCapacity - 1;
inline constexpr char kEllipsis[] = "...";
inline constexpr int32_t kEllipsisLength = sizeof kEllipsis - 1;
// The most bytes a cut at the bound moves back: a UTF-8 character has at most
// three continuation bytes.
inline constexpr int32_t kMaxContinuationBytes = 3;

// Where the parts of a whole sentence lie, as indexes into it.
struct SentenceLayout {
  int32_t commentStart = 0;
  int32_t commentEnd = 0;
  int32_t entries = 0;                      // how many entry ends are recorded
  std::array<int32_t, kMaxSets> entryEnds;  // the first `entries` are set
};

namespace {

int32_t LeadingDigits(const String& text) {
  int32_t n = 0;
  while (n < text.Length() && IsDigit(text[n])) ++n;
  return n;
}

// Copies count bytes of text to buffer + at, as far as the bound allows;
// returns the position after them.
int32_t Put(char* buffer, int32_t at, const char* text, int32_t count) {
  int32_t n = std::min(count, ReplyCapacity - at);
  std::memcpy(buffer + at, text, static_cast<size_t>(n));
  return at + n;
}

// How much of the comment of s, a sentence too long for the buffer, is kept
// before "...": the longest prefix, at least the head, that leaves room for
// every entry and ends where a UTF-8 character starts; the head when even
// that leaves no room.
int32_t KeptOfComment(const String& s, const SentenceLayout& layout,
                      int32_t head) {
  int32_t rest = s.Length() - (layout.commentEnd - layout.commentStart);
  // Less than the comment's length, as s does not fit.
  int32_t kept = kMaxReplyLength - kEllipsisLength - rest;
  if (kept <= head) return head;
  while (kept > head && IsUtf8Continuation(s[layout.commentStart + kept]))
    --kept;
  return kept;
}

// Where the reply composed in buffer ends, its tail (" and gets " and the
// entries, tailLength bytes) starting at tailStart: after its last byte when
// it fits, else after the last whole entry that fits, else at the bound,
// moved back so that no UTF-8 character is cut in two.
int32_t CutPoint(const char* buffer, const SentenceLayout& layout,
                 int32_t tailStart, int32_t tailLength) {
  int32_t room = kMaxReplyLength - tailStart;
  if (tailLength <= room) return tailStart + tailLength;
  for (int32_t i = layout.entries; i > 0; --i) {
    int32_t end =
        layout.entryEnds[static_cast<size_t>(i - 1)] - layout.commentEnd;
    if (end <= room) return tailStart + end;
  }
  int32_t cut = kMaxReplyLength;
  for (int32_t back = 0;
       back < kMaxContinuationBytes && IsUtf8Continuation(buffer[cut]);
       ++back) {
    --cut;
  }
  return cut;
}

// Writes s, a sentence too long for the buffer, with its comment shortened
// past its first head bytes and then cut to fit.
void WriteShortened(char* buffer, const String& s, const SentenceLayout& layout,
                    int32_t head) {
  int32_t kept = layout.commentEnd - layout.commentStart;
  int32_t dots = 0;
  if (kept > head) {
    kept = KeptOfComment(s, layout, head);
    dots = kEllipsisLength;
  }
  int32_t tailLength = s.Length() - layout.commentEnd;
  int32_t at = Put(buffer, 0, s.Text(), layout.commentStart + kept);
  at = Put(buffer, at, kEllipsis, dots);
  Put(buffer, at, s.Text() + layout.commentEnd, tailLength);
  int32_t tailStart = layout.commentStart + kept + dots;
  buffer[CutPoint(buffer, layout, tailStart, tailLength)] = '\0';
}

}  // namespace

void Rollwright::WriteResult(char* buffer) const {
  SentenceLayout layout;
  String s = Sentence(layout);
  if (s.Length() <= kMaxReplyLength) {
    std::memcpy(buffer, s.Text(), static_cast<size_t>(s.Length()) + 1);
    return;
  }
  WriteShortened(buffer, s, layout, skill != 0 ? LeadingDigits(comment) : 0);
}

String Rollwright::Sentence(SentenceLayout& layout) const {
  String s("rolls ");
  if (sets > 1) {
    (s += sets) += '#';
  } else if (expression[0] == 'd') {
    s += "a ";
  }
  s += expression;
  if (skill != 0) {
    s += " against ";
  } else if (comment.Length() > 0) {
    s += ' ';
  }
  layout.commentStart = s.Length();
  s += comment;
  layout.commentEnd = s.Length();
  s += " and gets ";
  for (size_t i = 0; i < rolls.size(); ++i) {
    if (i > 0) s += ", ";
    AppendTotal(s, rolls[i]);
    if (layout.entries < kMaxSets) {
      layout.entryEnds[static_cast<size_t>(layout.entries++)] = s.Length();
    }
  }
  return s;
}

void Rollwright::AppendTotal(String& s, const DiceRoll& roll) const {
  s += roll.total;
  if (roll.criticalFailure) {
    s += kCriticalFailureText.inReply;
  } else if (skill != 0) {
    s += kGradeTexts[GradeOf(skill, roll.total)].inReply;
  }
}

}  // namespace rollwright
