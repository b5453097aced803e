#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages/*.list that are not
# installed yet. Quiet when nothing is missing. As root it runs apt-get;
# otherwise it prints the exact command to run and fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

wanted=$(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$here"/packages/*.list | tr -s ' \t' '\n' | sort -u)
missing=()
for pkg in $wanted; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 update -qq
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
