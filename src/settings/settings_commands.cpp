#include "settings/settings_commands.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <limits>

#include "lang/ui_text.h"
#include "platform/text_encoding.h"

namespace kinloom::settings {
namespace {

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

bool ParseInteger(const std::string& text, int* out) {
  std::string t = TrimBlanks(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    v = v * 10 + (t[i] - '0');
    if (v > 1LL + std::numeric_limits<int>::max()) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return false;
  *out = static_cast<int>(v);
  return true;
}

int HexDigit(char c) {
  return c >= '0' && c <= '9'   ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                : -1;
}

bool ParseDword(const std::string& text, std::uint32_t* out) {
  std::string t = TrimBlanks(text);
  unsigned long long v = 0;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    if (t.size() > 10) return false;
    for (std::size_t i = 2; i < t.size(); ++i) {
      const int d = HexDigit(t[i]);
      if (d < 0) return false;
      v = v * 16 + static_cast<unsigned>(d);
    }
  } else {
    if (t.empty()) return false;
    for (char c : t) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + static_cast<unsigned>(c - '0');
      if (v > 0xFFFFFFFFull) return false;
    }
  }
  *out = static_cast<std::uint32_t>(v);
  return true;
}

bool ParseRealValue(const std::string& text, double* out) {
  std::string t = TrimBlanks(text);
  if (t.empty()) return false;
  std::size_t i = 0, digits = 0;
  if (t[i] == '+' || t[i] == '-') ++i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0 || i != t.size()) return false;
  *out = LeadingReal(t);
  return true;
}

// A dword as the listing shows it: the number, for a colour followed by " (0x…)" with the
// same value in hexadecimal.
bool ParseShownDword(const std::string& text, std::uint32_t* out) {
  const std::string t = TrimBlanks(text);
  const std::size_t open = t.find('(');
  if (open == std::string::npos) return ParseDword(t, out);
  std::uint32_t number = 0, again = 0;
  if (t.back() != ')' || !ParseDword(t.substr(0, open), &number) ||
      !ParseDword(t.substr(open + 1, t.size() - open - 2), &again) || number != again)
    return false;
  *out = number;
  return true;
}

std::string Quote(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7f) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      out += buffer;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out + "\"";
}

// The inverse of Quote for a value in double quotes; false for an escape Quote never writes.
// A value not in quotes is taken as it stands.
bool Unquote(const std::string& value, std::string* out) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
    *out = value;
    return true;
  }
  out->clear();
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    char c = value[i];
    if (c == '"') return false;
    if (c != '\\') {
      out->push_back(c);
      continue;
    }
    if (++i + 1 >= value.size()) return false;
    switch (value[i]) {
      case '"':
      case '\\':
        out->push_back(value[i]);
        break;
      case 'n':
        out->push_back('\n');
        break;
      case 'r':
        out->push_back('\r');
        break;
      case 't':
        out->push_back('\t');
        break;
      case 'x': {
        unsigned code = 0;
        for (int d = 0; d < 2; ++d) {
          if (++i + 1 >= value.size()) return false;
          const int digit = HexDigit(value[i]);
          if (digit < 0) return false;
          code = code * 16 + static_cast<unsigned>(digit);
        }
        out->push_back(static_cast<char>(code));
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

// The kind a stored value without a definition is read and written as, by its registry type.
ValueKind StoredKind(std::uint32_t type) {
  if (type == platform::kRegDword) return ValueKind::kDword;
  if (type == platform::kRegBinary) return ValueKind::kIntText;
  return ValueKind::kText;
}

// A definition for a value the store holds but the program no longer uses (the names of
// older versions): its stored name and kind, without a place in the Settings record. False
// when the store has no value of that name.
bool FindStoredValue(RegistryStore& store, const std::string& name, ValueDefinition* out) {
  std::vector<std::pair<std::string, platform::RegValue>> values;
  const std::string& key = store.application_key();
  if (store.registry().OpenKey(key) != 0 || store.registry().ListValues(key, &values) != 0)
    return false;
  for (const auto& [stored, value] : values) {
    if (FoldCase(stored) != FoldCase(name)) continue;
    out->name = stored;
    out->kind = StoredKind(value.type);
    return true;
  }
  return false;
}

void Refuse(RegistryStore& store, const std::string& text) {
  store.ui().ShowMessage(text, store.application_key(), platform::MessageIcon::kError,
                         platform::MessageButtons::kOk);
}

const char* KindHint(ValueKind kind) {
  switch (kind) {
    case ValueKind::kText:
      return "a text";
    case ValueKind::kIntText:
      return "an integer, for a switch 0 or 1";
    case ValueKind::kDword:
      return "a number from 0 to 4294967295, or 0x and up to 8 hexadecimal digits";
    case ValueKind::kReal:
      return "a decimal number";
  }
  return "";
}

}  // namespace

std::vector<std::string> ClosestValueNames(const std::string& name, std::size_t count) {
  const std::string folded = FoldCase(name);
  std::vector<std::pair<std::size_t, std::string>> ranked;
  for (const ValueDefinition& d : ValueDefinitions())
    ranked.emplace_back(EditDistance(folded, FoldCase(d.name)), d.name);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < ranked.size() && i < count; ++i) out.push_back(ranked[i].second);
  return out;
}

int RunSetCommand(RegistryStore& store, Settings& settings,
                  const std::vector<std::string>& assignments) {
  struct Parsed {
    const ValueDefinition* def;
    std::string text;
    int integer = 0;
    std::uint32_t dword = 0;
    double real = 0;
  };
  std::vector<Parsed> parsed;
  std::deque<ValueDefinition> stored_values;  // stable addresses for Parsed::def
  bool refused = false;
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    const std::string shown = platform::Utf8ToCp1252(assignment);
    if (equals == std::string::npos) {
      Refuse(store, "The setting '" + shown + "' is not of the form NAME=VALUE.");
      refused = true;
      continue;
    }
    const std::string name = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    Parsed p{FindValueDefinition(name), "", 0, 0, 0};
    if (p.def == nullptr) {
      ValueDefinition stored;
      if (FindStoredValue(store, name, &stored)) p.def = &stored_values.emplace_back(stored);
    }
    if (p.def == nullptr) {
      std::string text = "There is no setting named '" + platform::Utf8ToCp1252(name) +
                         "'.  The closest names are:";
      for (const std::string& close : ClosestValueNames(name)) text += "\n  \"" + close + "\"";
      Refuse(store, text);
      refused = true;
      continue;
    }
    bool ok = true;
    switch (p.def->kind) {
      case ValueKind::kText: {
        std::string utf8;
        ok = Unquote(value, &utf8);
        p.text = platform::Utf8ToCp1252(utf8);
        ok = ok && platform::Cp1252ToUtf8(p.text) == utf8;
        break;
      }
      case ValueKind::kIntText:
        ok = ParseInteger(value, &p.integer);
        break;
      case ValueKind::kDword:
        ok = ParseShownDword(value, &p.dword);
        break;
      case ValueKind::kReal:
        ok = ParseRealValue(value, &p.real);
        break;
    }
    if (!ok) {
      Refuse(store, "The value '" + platform::Utf8ToCp1252(value) + "' is not valid for the " +
                        KindName(p.def->kind) + " setting \"" + p.def->name + "\": it takes " +
                        KindHint(p.def->kind) +
                        (p.def->kind == ValueKind::kText ? " of Windows-1252 characters" : "") +
                        ".");
      refused = true;
      continue;
    }
    parsed.push_back(std::move(p));
  }
  if (refused) return 1;

  // One change of the registry for all the values: the file is read, rewritten and
  // flushed once, however many settings the command line names.
  store.BeginBatch();
  int status = 0;
  for (const Parsed& p : parsed) {
    switch (p.def->kind) {
      case ValueKind::kText:
        status = store.WriteText(p.def->name, p.text);
        break;
      case ValueKind::kIntText:
        status = store.WriteIntText(p.def->name, p.integer);
        break;
      case ValueKind::kDword:
        status = store.WriteDword(p.def->name, p.dword);
        break;
      case ValueKind::kReal:
        status = store.WriteReal(p.def->name, p.real);
        break;
    }
    if (status != 0) break;
  }
  const int stored = store.EndBatch();
  if (status == 0) status = stored;
  if (!store.CheckSaved(status)) return 1;
  for (const Parsed& p : parsed) {
    switch (p.def->kind) {
      case ValueKind::kText:
        if (p.def->text) p.def->text(settings) = p.text;
        break;
      case ValueKind::kIntText:
        if (p.def->integer) p.def->integer(settings) = p.integer;
        break;
      case ValueKind::kDword:
        if (p.def->dword) p.def->dword(settings) = p.dword;
        break;
      case ValueKind::kReal:
        if (p.def->real) p.def->real(settings) = p.real;
        break;
    }
  }
  return 0;
}

int RunListSettings(RegistryStore& store, std::ostream& out) {
  std::vector<std::pair<std::string, platform::RegValue>> values;
  const std::string& key = store.application_key();
  int status = store.registry().OpenKey(key);
  if (status == 0) status = store.registry().ListValues(key, &values);
  if (status != 0) {
    Refuse(store, lang::FormatText("The settings of %s could not be read.  Error Code = %d",
                                   key.c_str(), status));
    return 1;
  }
  store.SelectMainKey();
  for (const auto& [name, value] : values) {
    const ValueDefinition* def = nullptr;
    for (const ValueDefinition& d : ValueDefinitions())
      if (FoldCase(d.name) == FoldCase(name)) def = &d;
    const ValueKind kind = def != nullptr ? def->kind : StoredKind(value.type);
    std::string shown;
    switch (kind) {
      case ValueKind::kText:
        shown = Quote(platform::Cp1252ToUtf8(store.ReadText(name)));
        break;
      case ValueKind::kIntText:
        shown = std::to_string(store.ReadIntText(name));
        break;
      case ValueKind::kDword: {
        std::uint32_t v = store.ReadDword(name);
        shown = std::to_string(v);
        if (name.rfind("Color ", 0) == 0) shown += lang::FormatText(" (0x%06X)", v);
        break;
      }
      case ValueKind::kReal:
        shown = FormatReal(store.ReadReal(name));
        break;
    }
    out << Quote(platform::Cp1252ToUtf8(name)) << " (" << KindName(kind) << ") = " << shown;
    const std::uint32_t expected = kind == ValueKind::kDword     ? platform::kRegDword
                                   : kind == ValueKind::kIntText ? platform::kRegBinary
                                                                 : platform::kRegSz;
    if (value.type != expected) out << "  [stored with registry type " << value.type << "]";
    out << "\n";
  }
  return 0;
}

std::string RegistryFaultMessage(const platform::RegistryFileFault& fault) {
  std::string text = "The settings file " + platform::Utf8ToCp1252(fault.path) +
                     " cannot be read: line " + std::to_string(fault.line) + ": " + fault.what +
                     ".\n";
  if (!fault.backup_path.empty()) {
    text += "It has been kept as " + platform::Utf8ToCp1252(fault.backup_path) +
            " and the default settings are used.";
  } else {
    text +=
        "It could not be moved aside and is left as it is; the default settings are used and "
        "no setting is saved until the file is repaired or removed.";
  }
  return text;
}

std::unique_ptr<platform::Registry> OpenRegistryFile(const std::string& path,
                                                     platform::UserInterface& ui) {
  return std::make_unique<platform::FileRegistry>(
      path, [&ui](const platform::RegistryFileFault& fault) {
        ui.ShowMessage(RegistryFaultMessage(fault), "kinloom", platform::MessageIcon::kWarning,
                       platform::MessageButtons::kOk);
      });
}

std::unique_ptr<platform::Registry> OpenUserRegistry(platform::UserInterface& ui) {
  return OpenRegistryFile(platform::DefaultRegistryPath(), ui);
}

}  // namespace kinloom::settings
