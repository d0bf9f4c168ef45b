# Sourced by the scripted tests of the command lines: a private temporary folder that is also home
# and configuration folder, the check that counts failures, and the sample data file they share.
# Set EOL=$'\r\n' before writing a file with Windows line ends.
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
export HOME="$T/home" XDG_CONFIG_HOME="$T/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Quorbel"
EOL=$'\n'
failures=0

check() { # check NAME EXPECTED ACTUAL
  [[ "$2" == "$3" ]] && return
  printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  failures=$((failures + 1))
}

# Ends the test: its summary line on success, the failure count otherwise.
finish() { # finish SUCCESS_LINE
  if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "$1"
}

record() { # record DATE TIME BEST NORMAL ECONOMIC USER REMARK
  local e=$EOL
  printf '\t\t<data>%s\t\t\t<date>%s</date>%s\t\t\t<time>%s</time>%s' "$e" "$1" "$e" "$2" "$e"
  printf '\t\t\t<best>%s</best>%s\t\t\t<normal>%s</normal>%s' "$3" "$e" "$4" "$e"
  printf '\t\t\t<economic>%s</economic>%s\t\t\t<user>%s</user>%s' "$5" "$e" "$6" "$e"
  printf '\t\t\t<remark>%s</remark>%s\t\t</data>%s' "$7" "$e" "$e"
}

# The head of the sample file up to the log's start: two cartridges, "Černá 1" of 100 pages for
# two printers and "Other" of 3 pages for none.
sample_head() {
  local e=$EOL
  printf '<document>%s\t<cartridges>%s' "$e" "$e"
  printf '\t\t<cartridge>%s\t\t\t<name>Černá 1</name>%s\t\t\t<pages>100</pages>%s' "$e" "$e" "$e"
  printf '\t\t\t<printer>A 1, B 2</printer>%s\t\t</cartridge>%s' "$e" "$e"
  printf '\t\t<cartridge>%s\t\t\t<name>Other</name>%s\t\t\t<pages>3</pages>%s' "$e" "$e" "$e"
  printf '\t\t\t<printer></printer>%s\t\t</cartridge>%s' "$e" "$e"
  printf '\t</cartridges>%s\t<printed>%s' "$e" "$e"
}
