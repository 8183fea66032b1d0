# Sourced by the build scripts: what they share about the project and Debian's source packages.
# Expects $root (the source tree) to be set.

# The project's version, from the top CMakeLists.txt (project(KorvaneTessaril VERSION x.y)).
project_version() {
  sed -n 's/^project(KorvaneTessaril VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt"
}

# The newest source version of a Debian source package, e.g. 7.88.1-10+deb12u12.
source_version() {
  apt-cache showsrc "$1" | awk '/^Version:/ {print $2}' | sort -V | tail -n 1
}

# Unpacks Debian source package $2 into $1/<package>-<version> (once) and prints that folder;
# the version is $3, or the newest listed. When that cannot be fetched (a mirror that lags its
# index), the next older one is taken. apt-get source needs a deb-src entry (see ensure_deb_src
# in scripts/windows-deps).
fetch_source() {
  local into=$1 name=$2 version=${3:-}
  [ -n "$version" ] || version=$(source_version "$name")
  local dir=$into/$name-$version
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" "$into/fetch-$name"
    mkdir -p "$into/fetch-$name"
    local candidate fetched=0
    for candidate in $version $(apt-cache showsrc "$name" | awk '/^Version:/ {print $2}' |
      sort -V -r -u); do
      if (cd "$into/fetch-$name" && apt-get source -qq "$name=$candidate" >/dev/null 2>&1); then
        fetched=1
        break
      fi
      rm -rf "${into:?}/fetch-$name"/*
    done
    # Once more with apt-get's own message, to say why nothing could be fetched.
    [ "$fetched" = 1 ] || (cd "$into/fetch-$name" && apt-get source -qq "$name=$version")
    local unpacked
    unpacked=$(find "$into/fetch-$name" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    mv "$unpacked" "$dir"
    rm -rf "$into/fetch-$name"
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}
