// Texts in every language at once: shown before a language is chosen.
#define ALL_BAD_LANGUAGE   "--lang takes ja (Japanese) or en (English).\n--lang には ja（日本語）か en（英語）を指定してください。"
#define ALL_APP_CAPTION    "padconfig"
