vtl_prefs = {
  viewerendpoint: "C:\dir\café",
  h_name0: "X-\"q\"",
  h_val0: "\u00e9\uD83D\uDE00\\"};
