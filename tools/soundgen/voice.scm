;; The game's voice: festival's Italian diphone speaker lp, made quieter inside the synthesis
;; (its loud vowels overflow the 16-bit output otherwise), and a cheerful tune for the praise.

(voice_lp_diphone)

;; Gain on the voice's residual frames before the LPC filter: its vowels peak near 1.5x full
;; scale, so 0.5 keeps every sample in range with some margin.
(set! soundgen_gain 0.5)

(define (soundgen_frame_count utt)
  (apply + (mapcar (lambda (u) (item.feat u 'num_frames)) (utt.relation.items utt 'Unit))))

(define (soundgen_scale_frames utt factor)
  (let ((frames (item.feat (utt.relation.first utt 'SourceCoef) 'frame))
        (i 0)
        (n (soundgen_frame_count utt)))
    (while (< i n)
      (wave.rescale (wavevector.getwave frames i) factor)
      (set! i (+ i 1)))))

;; festival's own UniSyn steps, with the gain applied once the units are joined.
(defSynthType SoundgenUniSyn
  (Param.def "unisyn.window_name" "hanning")
  (Param.def "unisyn.window_factor" 1.0)
  (apply_hooks UniSyn_module_hooks utt)
  (us_get_diphones utt)
  (us_unit_concat utt)
  (soundgen_scale_frames utt soundgen_gain)
  (if (not (member 'f0 (utt.relationnames utt)))
      (targets_to_f0 utt))
  (if (utt.relation.last utt 'Segment)
      (set! pm_end (+ (item.feat (utt.relation.last utt 'Segment) "end") 0.02))
      (set! pm_end 0.02))
  (us_f0_to_pitchmarks utt 'f0 'TargetCoef pm_end)
  (us_mapping utt 'segment_single)
  (us_generate_wave utt (Parameter.get 'us_sigpr) 'analysis_period)
  utt)
(Parameter.set 'Synth_Method 'SoundgenUniSyn)

(define (say text file)
  (utt.save.wave (utt.synth (eval (list 'Utterance 'Text text))) file 'riff))

;; Praise: pitch leaps up on the stressed syllable and falls on a drawn-out last vowel,
;; instead of the voice's flat statement tune.
(define (soundgen_cheerful_targets utt syl)
  (let ((start (item.feat syl 'syllable_start))
        (end (item.feat syl 'syllable_end)))
    (cond
     ((string-equal (item.feat syl 'stress) "1")
      (list (list start 280) (list (+ start (* 0.5 (- end start))) 380)))
     ((string-equal (item.feat syl 'syl_out) "0")
      (list (list start 330) (list end 230)))
     (t (list (list start 250) (list end 270))))))

(define (soundgen_last_vowel segs found)
  (cond ((null segs) found)
        ((string-equal (item.feat (car segs) 'ph_vc) "+")
         (soundgen_last_vowel (cdr segs) (car segs)))
        (t (soundgen_last_vowel (cdr segs) found))))

(define (soundgen_stretch_last_vowel utt factor)
  (let ((v (soundgen_last_vowel (utt.relation.items utt 'Segment) nil)))
    (let ((shift (* (- factor 1) (item.feat v 'segment_duration))))
      (while v
        (item.set_feat v 'end (+ shift (item.feat v 'end)))
        (set! v (item.next v))))))

(define (say_cheerful text file)
  (let ((u (eval (list 'Utterance 'Text text)))
        (saved int_general_params))
    (set! int_general_params (list (list 'targ_func soundgen_cheerful_targets)))
    (Initialize u) (Text u) (Token_POS u) (Token u) (POS u) (Phrasify u) (Word u)
    (Pauses u) (Intonation u) (PostLex u) (Duration u)
    (soundgen_stretch_last_vowel u 2.2)
    (Int_Targets u) (Wave_Synth u)
    (set! int_general_params saved)
    (utt.save.wave u file 'riff)))
