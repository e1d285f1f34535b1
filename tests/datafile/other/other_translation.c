/* Carries nothing but its version resource. */
int other_translation_marker;
