# Helpers the console's shell tests share; sourced, after `failures=0`.

# Counts a failed check and says which.
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# A Unix path as Wine reads it.
win() { printf 'Z:%s' "$1" | tr '/' '\\'; }
