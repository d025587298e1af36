#!/usr/bin/env bash
# Puts a real full disk behind the test drive N: for the full-disk tests: a 2 MB tmpfs mounted
# at the folder given (mount), and taken away again (unmount). Mounting needs root; without it
# the folder stays an ordinary one and the full-disk tests skip themselves.
set -u
action=$1 dir=$2
case $action in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir"
    if ! mount -t tmpfs -o size=2M tmpfs "$dir" 2>/dev/null; then
      echo "could not mount a tmpfs at $dir (not root?): the full-disk tests will skip"
    fi
    ;;
  unmount)
    if mountpoint -q "$dir"; then umount "$dir" || umount -l "$dir"; fi
    rmdir "$dir" 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 mount|unmount <folder>" >&2
    exit 2
    ;;
esac
exit 0
