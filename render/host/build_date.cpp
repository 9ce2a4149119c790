#include <linvale/npr_host_application_services.h>

#include <cstring>

namespace {

// Only the letters needed to tell the twelve English month names apart.
const char* MonthNumber(const char* month) {
  switch (month[0]) {
    case 'J':
      if (month[1] == 'a') {
        return "01";
      }
      return month[2] == 'n' ? "06" : "07";
    case 'F': return "02";
    case 'M': return month[2] == 'r' ? "03" : "05";
    case 'A': return month[1] == 'p' ? "04" : "08";
    case 'S': return "09";
    case 'O': return "10";
    case 'N': return "11";
    case 'D': return "12";
    default: return "00";
  }
}

}  // namespace

void NprHostApplicationServices::ReformatDate(const char* in, char* out) {
  if (out == nullptr) {
    return;
  }
  // "Mmm dd yyyy" has 11 characters; anything shorter would be read past
  // its end.
  if (in == nullptr || strnlen(in, 11) < 11) {
    out[0] = '\0';
    return;
  }
  std::memcpy(out, in + 7, 4);
  out[4] = '-';
  std::memcpy(out + 5, MonthNumber(in), 2);
  out[7] = '-';
  out[8] = in[4] == ' ' ? '0' : in[4];
  out[9] = in[5];
  out[10] = '\0';
}

void NprHostApplicationServices::CompilationDate(char* out) {
  // The date this file was compiled: the per-build registry key depends on
  // it, so it stays the same for the life of one installed build.
  ReformatDate(__DATE__, out);
}
